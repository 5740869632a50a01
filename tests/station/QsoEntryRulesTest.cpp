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
