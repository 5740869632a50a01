#include "EntryEdit.h"

#include <QApplication>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// Selects the whole text whenever the edit gains the focus, as an enter handler does.
class SelectAllOnEnter : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn)
            static_cast<QLineEdit *>(watched)->selectAll();
        return false;
    }
};

struct ClickRow {
    const char *name;
    bool selectOnEnter;   // the field has an enter handler that selects all
    int clicks;           // clicks into the field before typing
    const char *typed;
    const char *expected;
};

void PrintTo(const ClickRow &row, std::ostream *os) { *os << row.name; }

class EntryEditClicks : public ::testing::TestWithParam<ClickRow>
{
};

TEST_P(EntryEditClicks, EnterHandlerSelectionSurvivesTheClick)
{
    const ClickRow &row = GetParam();
    QWidget window;
    window.resize(300, 80);
    EntryEdit edit(&window);
    edit.setGeometry(10, 10, 200, 22);
    QLineEdit other(&window);
    other.setGeometry(10, 40, 200, 22);
    edit.setText(QStringLiteral("DL1ABC@arrl.net"));
    SelectAllOnEnter handler;
    if (row.selectOnEnter)
        edit.installEventFilter(&handler);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other.setFocus();
    // Between the first and the second letter, where a click puts the caret.
    const QFontMetrics metrics(edit.font());
    const QPoint between(3 + metrics.horizontalAdvance(QLatin1Char('D'))
                             + metrics.horizontalAdvance(QLatin1Char('L')) / 4,
                         edit.height() / 2);
    for (int i = 0; i < row.clicks; ++i)
        QTest::mouseClick(&edit, Qt::LeftButton, {}, between);
    ASSERT_TRUE(edit.hasFocus());
    QTest::keyClicks(&edit, QString::fromLatin1(row.typed));
    EXPECT_EQ(std::string(row.expected), edit.text().toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EntryEditClicks,
    ::testing::Values(ClickRow{"EnterSelectsAll", true, 1, "Z", "Z"},
                      ClickRow{"SecondClickPlacesTheCaret", true, 2, "Z", "DZL1ABC@arrl.net"},
                      ClickRow{"NoEnterHandler", false, 1, "Z", "DZL1ABC@arrl.net"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
