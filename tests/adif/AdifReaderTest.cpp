#include "AdifReader.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QStringList>

namespace {

// The rows a log gives, as the QSO list shows them, with "5" as the power field's text.
QStringList rowsOf(const QByteArray &log, const QString &defaultPower = QStringLiteral("5"))
{
    QStringList rows;
    for (const AdifRecord &record : readAdifLog(log).records)
        rows << listRow(record, defaultPower);
    return rows;
}

struct LogCase
{
    const char *name;
    QByteArray log;
    QStringList rows;
    SkippedRecords skipped = {};
};

void PrintTo(const LogCase &c, std::ostream *os) { *os << c.name; }

class LogsFromLoggers : public ::testing::TestWithParam<LogCase>
{
};

TEST_P(LogsFromLoggers, GiveOneRowPerRecordWithCall)
{
    const LogCase &c = GetParam();
    const AdifLog log = readAdifLog(c.log);
    EXPECT_EQ(rowsOf(c.log), c.rows);
    EXPECT_EQ(log.skipped.noCall, c.skipped.noCall);
    EXPECT_EQ(log.skipped.frequencyNotNumber, c.skipped.frequencyNotNumber);
    EXPECT_EQ(log.skipped.lengthWithoutDigits, c.skipped.lengthWithoutDigits);
    EXPECT_EQ(log.skipped.unfinished, c.skipped.unfinished);
}

const QString plainRow = QStringLiteral("   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599");

// Logs written in the manner of the common loggers and of hand-made exports.
const LogCase logCases[] = {
    {"UpperCaseCrLfOneFieldPerLine",
     "Exported log\r\n<ADIF_VER:5>3.1.4\r\n<EOH>\r\n<CALL:3>ABC\r\n<QSO_DATE:8>20240405\r\n"
     "<TIME_ON:6>093015\r\n<FREQ:3>7.1\r\n<MODE:2>CW\r\n<RST_RCVD:3>599\r\n<EOR>\r\n",
     {plainRow}},
    {"LowerCaseTagsLfEndsOneRecordPerLine",
     "ADIF export\n<adif_ver:5>3.1.0\n<programid:6>Logger\n<eoh>\n"
     "<call:3>ABC <qso_date:8>20240405 <time_on:4>0930 <freq:3>7.1 <mode:2>CW <rst_rcvd:3>599 <eor>\n"
     "<call:6>DL1ABC <qso_date:8>20241231 <time_on:4>2359 <freq:6>14.074 <mode:3>FT8 <rst_rcvd:3>-10 <eor>\n",
     {plainRow, QStringLiteral("DL1ABC, 12.31.2024, 2359, 14.074, 5, FT8, -10")}},
    {"DigitalModeExportFrequencyRounded",
     "ADIF Export<eoh>\n"
     "<call:5>K1ABC <gridsquare:4>FN42 <mode:3>FT8 <rst_sent:3>-10 <rst_rcvd:3>-12 "
     "<qso_date:8>20240405 <time_on:6>093015 <qso_date_off:8>20240405 <time_off:6>093115 "
     "<band:3>20m <freq:9>14.076123 <station_callsign:6>DL1ABC <my_gridsquare:6>JO62QM "
     "<tx_pwr:2>50 <comment:25>FT8  Sent: -10  Rcvd: -12 <eor>\n",
     {QStringLiteral(" K1ABC, 04.05.2024, 0930, 14.076, 50, FT8, -10")}},
    {"SubmodeAndBothReports",
     "<eoh>\n<call:4>K8BL <mode:4>MFSK <submode:3>FT4 <rst_rcvd:3>-07 <rst_sent:3>+02 "
     "<qso_date:8>20230407 <time_on:6>194100 <freq:6>14.080 <eor>\n"
     "<CALL:4>K8BL <MODE:3>PSK <SUBMODE:5>PSK31 <RST_SENT:3>599 <RST_RCVD:3>579 "
     "<QSO_DATE:8>20230407 <TIME_ON:4>2005 <FREQ:6>14.070 <EOR>\n",
     {QStringLiteral("  K8BL, 04.07.2023, 1941, 14.080, 5, FT4, +02"),
      QStringLiteral("  K8BL, 04.07.2023, 2005, 14.070, 5, PSK31, 599")}},
    {"MixedCaseMarkers",
     "<Adif_Ver:5>3.1.4<Eoh><Call:3>ABC<Qso_Date:8>20240405<Time_On:4>0930<Freq:3>7.1"
     "<Mode:2>CW<Rst_Rcvd:3>599<EoR>",
     {plainRow}},
    {"SeveralRecordsOnOneLine",
     "<EOH><CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>"
     "<CALL:4>K1AB<QSO_DATE:8>20240406<TIME_ON:4>1000<FREQ:4>1296<MODE:3>SSB<RST_RCVD:2>59<EOR>",
     {plainRow, QStringLiteral("  K1AB, 04.06.2024, 1000, 1296.000, 5, SSB, 59")}},
    {"CrOnlyLineEnds",
     "<EOH>\r<CALL:3>ABC\r<QSO_DATE:8>20240405\r<TIME_ON:4>0930\r<FREQ:3>7.1\r<MODE:2>CW\r"
     "<RST_RCVD:3>599\r<EOR>\r",
     {plainRow}},
    {"NoHeaderRowsFromFirstRecord",
     "<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"HeaderFieldsGiveNoRow",
     "Log of N0CALL <CALL:6>N0CALL <PROGRAMID:7>Kartell <EOH>\n"
     "<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"TypeIndicatorsIgnored",
     "<EOH><CALL:3:S>ABC<QSO_DATE:8:D>20240405<TIME_ON:6:T>093000<FREQ:3:N>7.1<MODE:2>CW"
     "<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"FreqRxAndSubmodeLikeNamesAreOtherFields",
     "<EOH><CALL:3>ABC<SUBMODES:3>FT4<RST_SENTX:2>11<FREQ_RX:6>14.080<QSO_DATE:8>20240405<TIME_ON:4>0930"
     "<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"CallsignFieldIsNotCall",
     "<EOH><STATION_CALLSIGN:6>N0CALL<OPERATOR:6>N0CALL<CALL:3>ABC<QSO_DATE:8>20240405"
     "<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"PowerAndEmailFromRecord",
     "<EOH><CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599"
     "<TX_PWR:3>50W<EMAIL:11>abc@mail.de<EOR>"
     "<CALL:3>ABD<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599"
     "<TX_PWR:3>100<EOR>",
     {QStringLiteral("   ABC, 04.05.2024, 0930, 7.100, 50W, CW, 599, abc@mail.de"),
      QStringLiteral("   ABD, 04.05.2024, 0930, 7.100, 100, CW, 599")}},
    {"RecordWithoutCallSkippedAndCounted",
     "<EOH><QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<EOR>"
     "<CALL:0><FREQ:3>7.1<EOR>"
     "<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow},
     {2, 0, 0, 0}},
    {"FrequencyNotANumberSkippedLoadGoesOn",
     "<EOH><CALL:3>ABD<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:9>14.074.5<MODE:2>CW<EOR>"
     "<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow},
     {0, 1, 0, 0}},
    {"LengthWithoutDigitsSkippedLoadGoesOn",
     "<EOH><CALL:3>ABD<NAME:>Jo<QSO_DATE:8>20240405<EOR>"
     "<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow},
     {0, 0, 1, 0}},
    {"MissingFieldsGiveEmptyTexts",
     "<EOH><CALL:3>ABC<EOR>",
     {QStringLiteral("   ABC, , , , 5, , ")}},
    {"UnfinishedLastRecordCounted",
     "<EOH><CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>"
     "<CALL:3>ABD<QSO_DATE:8>2024",
     {plainRow},
     {0, 0, 0, 1}},
    {"CtrlZEndsTheLog",
     "<EOH><CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>"
     "\x1a<CALL:3>ABD<EOR>",
     {plainRow}},
    {"TextBetweenRecordsIgnored",
     "<EOH>\n-- first --\n<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW"
     "<RST_RCVD:3>599<EOR> trailing words \n",
     {plainRow}},
    {"ValueHoldingEndMarkerEndsBeforeIt",
     "<EOH><COMMENT:9><EOR> x y<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1"
     "<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow},
     {1, 0, 0, 0}},
    {"FirstOfRepeatedFieldCounts",
     "<EOH><CALL:3>ABC<CALL:3>XYZ<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW"
     "<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"LengthBeyondEndOfLogLeavesRecordUnfinished",
     "<EOH><CALL:3>ABC<EMAIL:99>abc<EOR\n",
     {},
     {0, 0, 0, 1}},
    {"BlankInsideLengthSpecifier",
     "<EOH><CALL:3 >ABC<QSO_DATE:8 :D>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW"
     "<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"TagBrokenByLessThanStartsOver",
     "<EOH><NOTES:<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW"
     "<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"OverlongNameIsText",
     "<EOH><" + QByteArray(70, 'X') + ":3>ABD<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930"
     "<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}},
    {"LoneMarkersGiveNothing",
     "<EOH><EOR><eor>\n<EOR>",
     {}},
    {"StrayLessThanInHeader",
     "Made by a<b exporter > version 2 <EOH>"
     "<CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}},
};

INSTANTIATE_TEST_SUITE_P(Adif, LogsFromLoggers, ::testing::ValuesIn(logCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct OverlongCase
{
    const char *name;
    QByteArray log;
    QStringList rows;
    int ranIntoField;
    int skipped = 0;
};

void PrintTo(const OverlongCase &c, std::ostream *os) { *os << c.name; }

class OverlongLengths : public ::testing::TestWithParam<OverlongCase>
{
};

// Real exports carry lengths one or two too long, or absurd ones: the value ends before the
// next well-formed tag, the record is read on from there and counted.
TEST_P(OverlongLengths, EndBeforeTheNextTag)
{
    const OverlongCase &c = GetParam();
    const AdifLog log = readAdifLog(c.log);
    EXPECT_EQ(rowsOf(c.log), c.rows);
    EXPECT_EQ(log.skipped.lengthIntoNextField, c.ranIntoField);
    EXPECT_EQ(log.skipped.total(), c.skipped);
}

const QByteArray restOfAbc = "<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599";
const QByteArray abcRecord = "<CALL:3>ABC" + restOfAbc + "<EOR>\n";

const OverlongCase overlongCases[] = {
    {"CommentOneTooLongKeepsNextRecord",
     "<EOH>" + abcRecord + "<CALL:4>K1AB<COMMENT:25>Great signal from Boston<EOR>\n" + abcRecord,
     {plainRow, QStringLiteral("  K1AB, , , , 5, , "), plainRow}, 1},
    {"CallTooLongStopsBeforeBlankAndTag",
     "<EOH><CALL:6>W1AW <BAND:3>40m" + restOfAbc + "<EOR>",
     {QStringLiteral(" W1AW , 04.05.2024, 0930, 7.100, 5, CW, 599")}, 1},
    {"FrequencyTooLongStopsBeforeFreqRx",
     "<EOH><CALL:3>ABC<FREQ:9>7.025000<FREQ_RX:8>7.025000<EOR>",
     {QStringLiteral("   ABC, , , 7.025, 5, , ")}, 1},
    {"HugeLengthStopsAtLowerCaseEor",
     "<EOH><call:2000000000>x<eor>\n" + abcRecord,
     {QStringLiteral("     x, , , , 5, , "), plainRow}, 1},
    {"TypedTagEndsValue",
     "<EOH><CALL:5>ABC<QSO_DATE:8:D>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}, 1},
    {"TagOnlyPartlyInsideLengthStillEndsValue",
     "<EOH><CALL:4>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1<MODE:2>CW<RST_RCVD:3>599<EOR>",
     {plainRow}, 1},
    {"EndOfHeaderInsideHeaderValue",
     "<PROGRAMID:30>Logger<EOH>" + abcRecord,
     {plainRow}, 0},
    {"LessThanNotStartingTagStaysInValue",
     "<EOH><CALL:3>ABC" + restOfAbc + "<EMAIL:21><3 73 <b> <x:> <EOR!><EOR>",
     {plainRow + QStringLiteral(", <3 73 <b> <x:> <EOR!>")}, 0},
    {"TagWithBlankInLengthIsText",
     "<EOH><CALL:3>ABC" + restOfAbc + "<EMAIL:9><X:3 >abc<EOR>",
     {plainRow + QStringLiteral(", <X:3 >abc")}, 0},
    {"ExactLengthUnchanged",
     "<EOH>" + abcRecord + abcRecord,
     {plainRow, plainRow}, 0},
    {"SkippedRecordCountedOnlyAsSkipped",
     "<EOH><COMMENT:30>no call here<EOR>" + abcRecord,
     {plainRow}, 0, 1},
};

INSTANTIATE_TEST_SUITE_P(Adif, OverlongLengths, ::testing::ValuesIn(overlongCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct TextCase
{
    const char *name;
    QByteArray nameField; // the bytes of a <NAME-like> field written into EMAIL for display
    QString email;
};

void PrintTo(const TextCase &c, std::ostream *os) { *os << c.name; }

class ValueTexts : public ::testing::TestWithParam<TextCase>
{
};

// The e-mail is the last field of the row, so the decoded value is easy to see there.
TEST_P(ValueTexts, ComeOutWhole)
{
    const TextCase &c = GetParam();
    const QByteArray log = "<EOH><CALL:3>ABC<QSO_DATE:8>20240405<TIME_ON:4>0930<FREQ:3>7.1"
                           "<MODE:2>CW<RST_RCVD:3>599"
                           + c.nameField + "<EOR>\n";
    const QStringList rows = rowsOf(log);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], plainRow + QStringLiteral(", ") + c.email);
}

const TextCase textCases[] = {
    {"Utf8CountedInBytes", "<EMAIL:7>m\xc3\xbcller\n", QStringLiteral("m\u00fcller")},
    {"Utf8CountedInBytesBeforeTag", "<EMAIL:7>m\xc3\xbcller", QStringLiteral("m\u00fcller")},
    {"Utf8CountedInCharacters", "<EMAIL:6>m\xc3\xbcller", QStringLiteral("m\u00fcller")},
    {"Utf8CountedInCharactersCutInsideLetter", "<EMAIL:2>m\xc3\xbc", QStringLiteral("m\u00fc")},
    {"Utf8ThreeByteLettersInBytes", "<EMAIL:6>\xe2\x82\xac" "abc", QStringLiteral("\u20acabc")},
    {"Utf8ThreeByteLettersInCharacters", "<EMAIL:4>\xe2\x82\xac" "abc", QStringLiteral("\u20acabc")},
    {"Windows1252WhenNotUtf8", "<EMAIL:6>m\xfcller", QStringLiteral("m\u00fcller")},
    {"Windows1252EuroSign", "<EMAIL:2>\x80x", QStringLiteral("\u20acx")},
    // Values from a log are one line, as typed fields are: no line break reaches a row or a
    // contact info file, other control characters are dropped.
    {"CrLfInsideBecomeOneBlank", "<EMAIL:34>victim@example.org\r\nINJECTED\r\nLINE",
     QStringLiteral("victim@example.org INJECTED LINE")},
    {"LineEndAtEndDropped", "<EMAIL:4>a@b\n", QStringLiteral("a@b")},
    {"NulAndEscapeDropped", QByteArray("<EMAIL:6>a\0b\x1b@c", 15), QStringLiteral("ab@c")},
    {"TabBecomesBlank", "<EMAIL:3>a\tb", QStringLiteral("a b")},
    {"UnicodeLineSeparatorBecomesBlank", "<EMAIL:5>a\xe2\x80\xa8" "b", QStringLiteral("a b")},
    {"Windows1252ControlDropped", "<EMAIL:4>\xfc\x81\r\n", QStringLiteral("\u00fc")},
};

INSTANTIATE_TEST_SUITE_P(Adif, ValueTexts, ::testing::ValuesIn(textCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A call sign with a line break in it is one row with the call on one line.
TEST(AdifOneLineValues, CallWithLineBreakGivesOneLineRow)
{
    const QStringList rows = rowsOf("<EOH><CALL:9>" + QByteArray("AB\r\nC\0DE", 8) + "x" + restOfAbc + "<EOR>");
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], QStringLiteral("AB CDEx, 04.05.2024, 0930, 7.100, 5, CW, 599"));
}

// The window reads a log a slice at a time: reading record by record gives the same rows and
// counts as reading it whole.
TEST(AdifReaderSlices, RecordByRecordMatchesWholeLog)
{
    QByteArray log = "<ADIF_VER:5>3.1.4<EOH>\n";
    for (int i = 0; i < 50; ++i) {
        const QByteArray call = "K" + QByteArray::number(i);
        log += "<call:" + QByteArray::number(call.size()) + ">" + call
               + (i % 7 == 0 ? QByteArray("<freq:5>1.2.3") : QByteArray("<freq:3>3.5")) + "<eor>\n";
    }
    AdifReader reader(log);
    QStringList rows;
    AdifRecord record;
    while (reader.readNext(record))
        rows << listRow(record, QString());
    EXPECT_TRUE(reader.atEnd());
    EXPECT_EQ(rows, rowsOf(log, QString()));
    EXPECT_EQ(rows.size(), 42);
    EXPECT_EQ(reader.skipped().frequencyNotNumber, 8);
    EXPECT_EQ(reader.position(), reader.size());
}

} // namespace
