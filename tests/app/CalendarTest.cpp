#include "MainWindowFixture.h"
#include "QtPrinters.h"

#include "CardLabel.h"
#include "EntryEdit.h"
#include "QsoEntryRules.h"

#include <QAbstractItemModel>
#include <QCalendarWidget>
#include <QTableView>
#include <QToolButton>
#include <QtTest/QTest>

namespace {

struct PageRow {
    const char *name;
    QDate date;
    int year, month;
    QDate expected;
};

void PrintTo(const PageRow &row, std::ostream *os) { *os << row.name; }

class CalendarPages : public ::testing::TestWithParam<PageRow>
{
};

TEST_P(CalendarPages, KeepTheDayOfTheMonth)
{
    const PageRow &row = GetParam();
    EXPECT_EQ(row.expected, sameDayOnPage(row.date, row.year, row.month));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CalendarPages,
    ::testing::Values(
        PageRow{"NextMonth", {2024, 4, 5}, 2024, 5, {2024, 5, 5}},
        PageRow{"PreviousYear", {2024, 1, 15}, 2023, 12, {2023, 12, 15}},
        PageRow{"ShorterMonth", {2024, 3, 31}, 2024, 4, {2024, 4, 30}},
        PageRow{"LeapFebruary", {2024, 1, 31}, 2024, 2, {2024, 2, 29}},
        PageRow{"PlainFebruary", {2023, 1, 30}, 2023, 2, {2023, 2, 28}},
        PageRow{"CenturyFebruary", {2100, 1, 29}, 2100, 2, {2100, 2, 28}}),
    [](const auto &info) { return std::string(info.param.name); });

class CalendarClicks : public MainWindowFixture,
                       public ::testing::WithParamInterface<const char *> {};

// A click on either month arrow moves the date along and fills the date field.
TEST_P(CalendarClicks, MonthArrowSetsTheDateField)
{
    start();
    auto *calendar = form->control<QCalendarWidget>("MonthCalendar1");
    calendar->setSelectedDate(QDate(2024, 3, 31));
    auto *arrow = calendar->findChild<QToolButton *>(QString::fromLatin1(GetParam()));
    ASSERT_NE(nullptr, arrow);
    QTest::mouseClick(arrow, Qt::LeftButton);
    const QString expected = QString(GetParam()).contains("next") ? "4.30.2024" : "2.29.2024";
    EXPECT_EQ(expected, form->control<EntryEdit>("UTCDate")->text());
    EXPECT_EQ(expected, form->control<CardLabel>("alUTCDate")->caption());
}

INSTANTIATE_TEST_SUITE_P(Arrows, CalendarClicks,
                         ::testing::Values("qt_calendar_nextmonth", "qt_calendar_prevmonth"),
                         [](const auto &info) { return std::string(info.param).substr(12); });

TEST_F(MainWindowFixture, SettingTheCalendarLeavesTheDateFieldAlone)
{
    start();
    auto *calendar = form->control<QCalendarWidget>("MonthCalendar1");
    calendar->setSelectedDate(QDate(2020, 7, 4));
    EXPECT_EQ(QString(), form->control<EntryEdit>("UTCDate")->text());
}

// Days of the months before and after are white; the month's own days navy.
TEST_F(MainWindowFixture, CalendarShowsOtherMonthsInWhite)
{
    start();
    auto *calendar = form->control<QCalendarWidget>("MonthCalendar1");
    calendar->setSelectedDate(QDate(2024, 5, 15));   // 1 May is a Wednesday, 31 May a Friday
    auto *view = calendar->findChild<QTableView *>();
    ASSERT_NE(nullptr, view);
    const QAbstractItemModel *model = view->model();
    int others = 0, own = 0;
    for (int row = 1; row < model->rowCount(); ++row) {
        for (int col = 0; col < model->columnCount(); ++col) {
            const QModelIndex index = model->index(row, col);
            const int day = model->data(index, Qt::DisplayRole).toInt();
            const bool otherMonth = (row == 1 && day > 20) || (row >= 5 && day < 15);
            const QColor colour = model->data(index, Qt::ForegroundRole).value<QColor>();
            EXPECT_EQ(otherMonth ? QColor(Qt::white) : QColor(0, 0, 128), colour)
                << row << "," << col << " day " << day;
            (otherMonth ? others : own) += 1;
        }
    }
    EXPECT_EQ(31, own);
    EXPECT_GE(others, 7);
}

} // namespace
