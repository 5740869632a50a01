#include "QsoEntryRules.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

TEST(QsoEntryRules, TimeButtons)
{
    struct Row { QStringList presses; QString start, time; };
    // Each press is "<component name>=<caption>".
    const Row rows[] = {
        {{"EncartaButtonM45=45"}, "", "45"},
        {{"EncartaButtonM45=45"}, "9:30", "9:345"},
        {{"EncartaButtonH07=07", "EncartaButtonM45=45"}, "", "07:45"},
        {{"EncartaButtonH07=07", "EncartaButtonM45=45", "EncartaButtonM50=50"}, "", "07:50"},
        {{"EncartaButtonH23=23"}, "07:50", "23:"},
        {{"EncartaButtonM05=05"}, "12", "1205"},
        {{"EncartaButtonM05=05"}, "12:", "12:05"},
        {{"EncartaButtonC=C"}, "07:50", ""},
        {{"EncartaButton7=Current GMT Date Time"}, "07:50", "07:50"},
    };
    for (const Row &row : rows) {
        QString time = row.start;
        for (const QString &press : row.presses) {
            const QString name = press.section('=', 0, 0), caption = press.section('=', 1);
            time = timeAfterButton(timeButtonKind(name), caption, time);
        }
        EXPECT_EQ(row.time, time) << row.presses.join(' ').toStdString() << " on " << row.start.toStdString();
    }
}

TEST(QsoEntryRules, SignalButtons)
{
    struct Row { QStringList presses; QString start, report; };
    const Row rows[] = {
        {{"RST5=5", "RST9=9", "RST9=9"}, "", "599"},
        {{"EBSig03=57", "RST9=9"}, "", "579"},
        {{"EBSig11=5NN"}, "599", "5NN"},
        {{"Clear=C"}, "599", ""},
        {{"RST5=5", "Clear=C", "RST4=4"}, "", "4"},
        {{"SomethingElse=7"}, "59", "59"},
    };
    for (const Row &row : rows) {
        QString report = row.start;
        for (const QString &press : row.presses) {
            const QString name = press.section('=', 0, 0), caption = press.section('=', 1);
            report = signalAfterButton(signalButtonKind(name), caption, report);
        }
        EXPECT_EQ(row.report, report) << row.presses.join(' ').toStdString();
    }
}

TEST(QsoEntryRules, QuickPickDateAndTime)
{
    struct Row { QDateTime when; QString date, time; };
    const Row rows[] = {
        {QDateTime(QDate(2024, 4, 5), QTime(7, 5, 59)), "4.5.2024", "07:05"},
        {QDateTime(QDate(2024, 12, 31), QTime(23, 59, 0)), "12.31.2024", "23:59"},
        {QDateTime(QDate(2025, 1, 1), QTime(0, 0, 0)), "1.1.2025", "00:00"},
        {QDateTime(QDate(999, 10, 10), QTime(12, 30)), "10.10.0999", "12:30"},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(row.date, quickPickDate(row.when.date()));
        EXPECT_EQ(row.time, quickPickTime(row.when.time()));
    }
}

TEST(QsoEntryRules, UpperCaseTouchesOnlyAtoZ)
{
    struct Row { QString in, out; };
    const Row rows[] = {
        {"k1abc/p", "K1ABC/P"}, {"dl/k1abc", "DL/K1ABC"}, {"", ""},
        {QString::fromUtf8("o\xc3\xa4z-9"), QString::fromUtf8("O\xc3\xa4Z-9")}, {"AZaz", "AZAZ"},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.out, upperCaseAtoZ(row.in));
}

namespace {

struct TypedDateCase
{
    const char *name;
    QString typed;
    QDate date;          // null when the text is refused
    const char *reason;  // a part of the refusal's message; empty when the date is read
};

void PrintTo(const TypedDateCase &c, std::ostream *os) { *os << c.name; }

class TypedDates : public ::testing::TestWithParam<TypedDateCase>
{
};

TEST_P(TypedDates, AreReadOnlyWhenUnambiguous)
{
    const TypedDateCase &c = GetParam();
    const QsoDateReading reading = readQsoDate(c.typed);
    EXPECT_EQ(reading.date, c.date);
    EXPECT_EQ(adifQsoDate(c.typed), c.date.isValid() ? c.date.toString("yyyyMMdd") : QString());
    if (c.date.isValid()) {
        EXPECT_EQ(reading.problem, QString());
        return;
    }
    EXPECT_TRUE(reading.problem.contains(QLatin1Char('"') + c.typed.trimmed() + QLatin1Char('"')))
        << reading.problem.toStdString();
    EXPECT_TRUE(reading.problem.contains(QString::fromLatin1(c.reason))) << reading.problem.toStdString();
    EXPECT_TRUE(reading.problem.endsWith(qsoDateHint()));
}

const TypedDateCase typedDateCases[] = {
    {"QuickPickForm", "4.5.2024", QDate(2024, 4, 5), ""},
    {"TwoDigitMonthAndDay", "12.31.2024", QDate(2024, 12, 31), ""},
    {"BlanksAround", " 12.6.2026 ", QDate(2026, 12, 6), ""},
    {"LeapDay", "2.29.2024", QDate(2024, 2, 29), ""},
    {"YearMonthDay", "2026-12-06", QDate(2026, 12, 6), ""},
    {"YearMonthDayWithoutZeros", "2026-6-1", QDate(2026, 6, 1), ""},
    {"AdifDate", "20261206", QDate(2026, 12, 6), ""},
    {"EuropeanWithZeros", "06.12.2026", QDate(), "leading zero"},
    {"LeadingZeroDay", "12.06.2026", QDate(), "leading zero"},
    {"DayFirst", "13.12.2026", QDate(), "13 is no month"},
    {"NoSuchDay", "2.29.2026", QDate(), "no such day"},
    {"AdifNoSuchDay", "20260231", QDate(), "no such day"},
    {"BeforeAdifDates", "1.1.1929", QDate(), "before 1930"},
    {"TwoDigitYear", "12.6.26", QDate(), ""},
    {"DayMonthYearDashes", "06-12-2026", QDate(), ""},
    {"Slashes", "12/6/2026", QDate(), ""},
    {"Words", "6 Dec 2026", QDate(), ""},
    {"Empty", "", QDate(), ""},
};

INSTANTIATE_TEST_SUITE_P(QsoEntryRules, TypedDates, ::testing::ValuesIn(typedDateCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace

TEST(QsoEntryRules, CardDateTexts)
{
    struct Row { QString typed; CardDateStyle style; QString shown; };
    const Row rows[] = {
        {"12.6.2026", CardDateStyle::AsTyped, "12.6.2026"},
        {"2026-12-06", CardDateStyle::AsTyped, "2026-12-06"},
        {"12.6.2026", CardDateStyle::Iso, "2026-12-06"},
        {"20240405", CardDateStyle::Iso, "2024-04-05"},
        {"2026-6-1", CardDateStyle::Iso, "2026-06-01"},
        {"06.12.2026", CardDateStyle::Iso, "06.12.2026"},
        {"", CardDateStyle::Iso, ""},
    };
    for (const Row &row : rows)
        EXPECT_EQ(cardDateText(row.typed, row.style), row.shown) << row.typed.toStdString();
}
