#include "ListRow.h"
#include "SkippedRecords.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

struct FrequencyCase
{
    const char *name;
    QString freq;
    std::optional<QString> shown;
};

void PrintTo(const FrequencyCase &c, std::ostream *os) { *os << c.name; }

class Frequencies : public ::testing::TestWithParam<FrequencyCase>
{
};

TEST_P(Frequencies, ShowThreeDecimals)
{
    EXPECT_EQ(formatFrequency(GetParam().freq), GetParam().shown);
}

const FrequencyCase frequencyCases[] = {
    {"ThreeDecimalsKept", "14.074", QStringLiteral("14.074")},
    {"OneDecimalPadded", "7.1", QStringLiteral("7.100")},
    {"WholeNumber", "1296", QStringLiteral("1296.000")},
    {"RoundsDown", "14.0744", QStringLiteral("14.074")},
    {"HalfRoundsAwayFromZero", "14.0745", QStringLiteral("14.075")},
    {"CarryIntoWholePart", "9.9996", QStringLiteral("10.000")},
    {"LeadingPoint", ".5", QStringLiteral("0.500")},
    {"TrailingPoint", "7.", QStringLiteral("7.000")},
    {"LeadingZerosDropped", "007.1", QStringLiteral("7.100")},
    {"BlanksAround", " 3.5 ", QStringLiteral("3.500")},
    {"ManyDigits", "10368.1000004", QStringLiteral("10368.100")},
    {"Empty", "", QString()},
    {"TwoPoints", "14.074.5", std::nullopt},
    {"DecimalComma", "7,1", std::nullopt},
    {"Exponent", "1e3", std::nullopt},
    {"Letters", "abc", std::nullopt},
    {"PointOnly", ".", std::nullopt},
    {"BlanksOnly", "  ", std::nullopt},
    {"UnitAppended", "14.074MHz", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(ListRow, Frequencies, ::testing::ValuesIn(frequencyCases),
                         [](const auto &info) { return std::string(info.param.name); });

// Records built field by field; each row of the table changes the default record a little.
struct RowCase
{
    const char *name;
    std::vector<std::pair<AdifField, QString>> fields;
    QString defaultPower;
    QString row;
};

void PrintTo(const RowCase &c, std::ostream *os) { *os << c.name; }

class Rows : public ::testing::TestWithParam<RowCase>
{
};

AdifRecord recordOf(const std::vector<std::pair<AdifField, QString>> &changes)
{
    AdifRecord record;
    for (const auto &[field, value] : changes)
        record.setIfAbsent(field, value);
    const std::pair<AdifField, const char *> defaults[] = {
        {AdifField::Call, "ABC"},      {AdifField::QsoDate, "20240405"}, {AdifField::TimeOn, "093015"},
        {AdifField::Freq, "7.1"},      {AdifField::Mode, "CW"},          {AdifField::RstRcvd, "599"},
    };
    for (const auto &[field, value] : defaults)
        record.setIfAbsent(field, QString::fromLatin1(value));
    return record;
}

TEST_P(Rows, FollowTheListFormat)
{
    EXPECT_EQ(listRow(recordOf(GetParam().fields), GetParam().defaultPower), GetParam().row);
}

const RowCase rowCases[] = {
    {"PlainRecord", {}, "5", "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599"},
    {"SixCharacterCall", {{AdifField::Call, "DL1ABC"}}, "5", "DL1ABC, 04.05.2024, 0930, 7.100, 5, CW, 599"},
    {"SevenCharacterCall", {{AdifField::Call, "DL1ABCD"}}, "5", "DL1ABCD, 04.05.2024, 0930, 7.100, 5, CW, 599"},
    {"PortableCallWhole", {{AdifField::Call, "DL/K1ABC/P"}}, "5", "DL/K1ABC/P, 04.05.2024, 0930, 7.100, 5, CW, 599"},
    {"FourDigitTime", {{AdifField::TimeOn, "1234"}}, "5", "   ABC, 04.05.2024, 1234, 7.100, 5, CW, 599"},
    {"SixDigitTime", {{AdifField::TimeOn, "123456"}}, "5", "   ABC, 04.05.2024, 1234, 7.100, 5, CW, 599"},
    {"PowerOfRecordWins", {{AdifField::TxPwr, "50W"}}, "5", "   ABC, 04.05.2024, 0930, 7.100, 50W, CW, 599"},
    {"EmptyDefaultPower", {}, "", "   ABC, 04.05.2024, 0930, 7.100, , CW, 599"},
    {"EmailLast", {{AdifField::Email, "a@b.de"}}, "5", "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599, a@b.de"},
    {"ValuesNotTrimmed", {{AdifField::Mode, " CW "}}, "5", "   ABC, 04.05.2024, 0930, 7.100, 5,  CW , 599"},
    {"UnicodeCallRightAligned", {{AdifField::Call, QStringLiteral("\u00c4B")}}, "5",
     QStringLiteral("    \u00c4B, 04.05.2024, 0930, 7.100, 5, CW, 599")},
    {"ShortDateKept", {{AdifField::QsoDate, "2024"}}, "5", "   ABC, 2024, 0930, 7.100, 5, CW, 599"},
    {"SentReportConfirmed", {{AdifField::RstSent, "579"}}, "5", "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 579"},
    {"BlankSentReportIsNone", {{AdifField::RstSent, " "}}, "5", "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599"},
    {"OnlySentReport", {{AdifField::RstSent, "-12"}, {AdifField::RstRcvd, ""}}, "5",
     "   ABC, 04.05.2024, 0930, 7.100, 5, CW, -12"},
    {"SubmodeNamed", {{AdifField::Mode, "MFSK"}, {AdifField::Submode, "FT4"}}, "5",
     "   ABC, 04.05.2024, 0930, 7.100, 5, FT4, 599"},
    {"EmptySubmodeIsNone", {{AdifField::Mode, "PSK"}, {AdifField::Submode, ""}}, "5",
     "   ABC, 04.05.2024, 0930, 7.100, 5, PSK, 599"},
};

INSTANTIATE_TEST_SUITE_P(ListRow, Rows, ::testing::ValuesIn(rowCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct ParseCase
{
    const char *name;
    QString row;
    QsoRecord qso;
};

void PrintTo(const ParseCase &c, std::ostream *os) { *os << c.name; }

class RowsReadBack : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(RowsReadBack, FillTheQsoFields)
{
    const QsoRecord qso = parseListRow(GetParam().row);
    const QsoRecord &want = GetParam().qso;
    EXPECT_EQ(qso.callSign, want.callSign);
    EXPECT_EQ(qso.utcDate, want.utcDate);
    EXPECT_EQ(qso.utcTime, want.utcTime);
    EXPECT_EQ(qso.freq, want.freq);
    EXPECT_EQ(qso.power, want.power);
    EXPECT_EQ(qso.mode, want.mode);
    EXPECT_EQ(qso.signal, want.signal);
    EXPECT_EQ(qso.email, want.email);
}

const ParseCase parseCases[] = {
    {"LeadingSpacesAndZerosDropped", "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599",
     {"ABC", "4.5.2024", "09:30", "7.100", "CW", "5", "599", ""}},
    {"PowerBeforeMode", "DL1ABC, 12.31.2024, 2359, 14.074, 100, FT8, -10",
     {"DL1ABC", "12.31.2024", "23:59", "14.074", "FT8", "100", "-10", ""}},
    {"EmailAfterReport", "   ABC, 04.05.2024, 0930, 7.100, 50W, CW, 599, abc@mail.de",
     {"ABC", "4.5.2024", "09:30", "7.100", "CW", "50W", "599", "abc@mail.de"}},
    {"ReportCutToTenWithoutEmail", "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599 loud and clear",
     {"ABC", "4.5.2024", "09:30", "7.100", "CW", "5", "599 loud a", ""}},
    {"LowerCaseCallKept", "   abc, 04.05.2024, 0930, 7.100, 5, CW, 599",
     {"abc", "4.5.2024", "09:30", "7.100", "CW", "5", "599", ""}},
    {"EmptyFields", "   ABC, , , , 5, , ", {"ABC", "", "", "", "", "5", "", ""}},
    {"MalformedDateKept", "   ABC, 2024, 0930, 7.100, 5, CW, 599",
     {"ABC", "2024", "09:30", "7.100", "CW", "5", "599", ""}},
    {"ShortRow", "   ABC", {"ABC", "", "", "", "", "", "", ""}},
};

INSTANTIATE_TEST_SUITE_P(ListRow, RowsReadBack, ::testing::ValuesIn(parseCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct SummaryCase
{
    const char *name;
    int rows;
    SkippedRecords skipped;
    QString text;
};

void PrintTo(const SummaryCase &c, std::ostream *os) { *os << c.name; }

class LoadSummaries : public ::testing::TestWithParam<SummaryCase>
{
};

TEST_P(LoadSummaries, NameEveryReason)
{
    EXPECT_EQ(loadSummary(GetParam().rows, GetParam().skipped), GetParam().text);
}

const SummaryCase summaryCases[] = {
    {"NothingSkipped", 12, {}, "12 rows added, no records skipped"},
    {"OneRowOneRecord", 1, {1, 0, 0, 0}, "1 row added, 1 record skipped: 1 without CALL"},
    {"EveryReason", 0, {2, 1, 3, 1},
     "0 rows added, 7 records skipped: 2 without CALL, 1 with a FREQ that is not a number, "
     "3 with a field length without digits, 1 without <EOR> at the end of the file"},
    {"OneRanIntoNextField", 3, {0, 0, 0, 0, 1},
     "3 rows added, no records skipped, 1 record read with a length that ran into the next field"},
    {"SkippedAndRanIntoNextField", 3, {1, 0, 0, 0, 2},
     "3 rows added, 1 record skipped: 1 without CALL, 2 records read with a length that ran "
     "into the next field"},
};

INSTANTIATE_TEST_SUITE_P(ListRow, LoadSummaries, ::testing::ValuesIn(summaryCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
