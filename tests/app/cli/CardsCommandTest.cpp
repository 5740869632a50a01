// `kartello cards` as an operator runs it: the built program, started with a log and options.
#include "CardsRunner.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

QString today()
{
    return QDate::currentDate().toString("yy_MM_dd_");
}

class CardsCommand : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runner.isValid());
        QByteArray log = "Contest log\n<adif_ver:5>3.1.4 <programid:6>Tester <eoh>\n";
        log += adifRecord("K1ABC", "20260315", "093000", "14.074", "FT8", "100", "-10",
                          "k1abc@example.org");
        log += adifRecord("DL1XYZ", "20260316", "1200", "7.1", "CW", "", "599");
        log += "<qso_date:8>20260317 <mode:3>SSB <eor>\n";
        log += adifRecord("G4ABC/P", "20260101", "0800", "21.2", "SSB", "50", "59");
        log += adifRecord("k1abc", "20260320", "1015", "3.573", "FT8", "10", "-05");
        logPath = runner.writeFile("contest.adi", log);
        out = runner.folder() + "out/";
    }

    CardsRunner::Result cards(QStringList args) const
    {
        return runner.run(QStringList{"cards", logPath, "--out", out} + args);
    }
    QStringList filesIn(const QString &folder, const QString &pattern) const
    {
        return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    }

    CardsRunner runner;
    QString logPath;
    QString out;
};

struct FormatCase {
    const char *name;
    const char *format;
    QByteArray signature;
};

class CardsFormats : public CardsCommand, public ::testing::WithParamInterface<FormatCase> {};

TEST_P(CardsFormats, OnePictureAndContactInfoPerCallSign)
{
    const FormatCase &c = GetParam();
    const CardsRunner::Result result = cards({"--format", c.format});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("4 cards written")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("1 record skipped")) << result.err.toStdString();
    EXPECT_EQ(result.err.count('\n'), 2) << "a skipped-records line and the summary only:\n"
                                         << result.err.toStdString();
    const QString ext = QStringLiteral(".") + c.format;
    // The second K1ABC of the run gets a name of its own, its QSO's date and time.
    EXPECT_EQ(filesIn(out, "*" + ext), (QStringList{"DL1XYZ" + ext, "G4ABC_P" + ext, "K1ABC" + ext,
                                                    "K1ABC_20260320_1015" + ext}));
    for (const QString &name : filesIn(out, "*" + ext)) {
        const QByteArray bytes = readWholeFile(out + name);
        EXPECT_TRUE(bytes.startsWith(c.signature)) << name.toStdString();
        const QImage card = QImage::fromData(bytes);
        EXPECT_EQ(card.size(), QSize(511, 280)) << name.toStdString();
    }
    EXPECT_EQ(filesIn(out, "*_info.txt"),
              (QStringList{today() + "DL1XYZ_info.txt", today() + "G4ABC_P_info.txt",
                           today() + "K1ABC_20260320_1015_info.txt", today() + "K1ABC_info.txt"}));
    EXPECT_EQ(filesIn(out, ".*").filter(QRegularExpression("^\\.[^.]")), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, CardsFormats,
    ::testing::Values(FormatCase{"Jpg", "jpg", QByteArray("\xFF\xD8\xFF", 3)},
                      FormatCase{"Gif", "gif", QByteArray("GIF87a")},
                      FormatCase{"Png", "png", QByteArray("\x89PNG\r\n\x1a\n", 8)}),
    [](const ::testing::TestParamInfo<FormatCase> &info) { return std::string(info.param.name); });

struct SelectionCase {
    const char *name;
    QStringList args;
    QStringList pictures;
};

class CardsSelections : public CardsCommand, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(CardsSelections, OnlyTheSelectedQsosGiveCards)
{
    const SelectionCase &c = GetParam();
    const CardsRunner::Result result = cards(QStringList{"--no-info"} + c.args);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(filesIn(out, "*.jpg"), c.pictures);
    EXPECT_EQ(filesIn(out, "*_info.txt"), QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Options, CardsSelections,
    ::testing::Values(
        SelectionCase{"RowsRange", {"--rows", "2-3"}, {"DL1XYZ.jpg", "G4ABC_P.jpg"}},
        SelectionCase{"RowsList", {"--rows", "1,3"}, {"G4ABC_P.jpg", "K1ABC.jpg"}},
        SelectionCase{"RowsOpen", {"--rows", "3-"}, {"G4ABC_P.jpg", "K1ABC.jpg"}},
        SelectionCase{"CallAnyCase", {"--call", "k1abc"}, {"K1ABC.jpg", "K1ABC_20260320_1015.jpg"}},
        SelectionCase{"CallWithSlash", {"--call", "G4ABC/P"}, {"G4ABC_P.jpg"}},
        SelectionCase{"Since", {"--since", "20260316"}, {"DL1XYZ.jpg", "K1ABC.jpg"}},
        SelectionCase{"RowsAndCall", {"--rows", "1-3", "--call", "DL1XYZ,G4ABC/P"},
                      {"DL1XYZ.jpg", "G4ABC_P.jpg"}},
        SelectionCase{"NothingMatches", {"--rows", "9"}, {}}),
    [](const ::testing::TestParamInfo<SelectionCase> &info) { return std::string(info.param.name); });

TEST_F(CardsCommand, ContactInfoFilesAsTheBatchWritesThem)
{
    runner.writeFile("Kartello.ini", "[Form1]\r\nRBPower3.Checked=TRUE\r\n");
    const QStringList power = QString::fromUtf8(readWholeFile(runner.dataFile("Power.txt")))
                                  .split(QRegularExpression("\r?\n"));
    ASSERT_GE(power.size(), 3);
    ASSERT_EQ(cards({"--rows", "1-2"}).exitCode, 0);
    EXPECT_EQ(readWholeFile(out + today() + "K1ABC_info.txt"),
              "k1abc@example.org\r\nK1ABC\r\n3.15.2026\r\n09:30\r\n14.074\r\nFT8\r\n100\r\n-10\r\n");
    // A record without TX_PWR takes the power chosen in the window.
    EXPECT_EQ(readWholeFile(out + today() + "DL1XYZ_info.txt"),
              "No email address\r\nDL1XYZ\r\n3.16.2026\r\n12:00\r\n7.100\r\nCW\r\n"
                  + power[2].toUtf8() + "\r\n599\r\n");
}

// On a terminal the run shows how far it is; `script` gives it one.
TEST_F(CardsCommand, ProgressOnATerminalOnly)
{
    QProcess terminal;
    terminal.setWorkingDirectory(runner.folder());
    const QString command = QStringLiteral("'%1' cards '%2' --out '%3' 2>&1")
                                .arg(runner.programPath(), logPath, out);
    terminal.start("script", {"-qec", command, "/dev/null"});
    ASSERT_TRUE(terminal.waitForFinished(60000));
    const QString shown = QString::fromUtf8(terminal.readAllStandardOutput());
    EXPECT_EQ(terminal.exitCode(), 0) << shown.toStdString();
    EXPECT_TRUE(shown.contains("\r4 of 4 cards, ")) << shown.toStdString();
    EXPECT_TRUE(shown.contains("4 cards written")) << shown.toStdString();

    const CardsRunner::Result piped = cards({});
    EXPECT_FALSE(piped.err.contains(" of 4 cards")) << piped.err.toStdString();
}

TEST_F(CardsCommand, StateFileAndDataFolderStayAsTheyWere)
{
    const QByteArray state = "[Form1]\r\nRBPower3.Checked=TRUE\r\nCBShow73.Checked=FALSE\r\n";
    runner.writeFile("Kartello.ini", state);
    const QByteArray prefs = readWholeFile(runner.dataFile("prefs.txt"));
    const QByteArray lfile = readWholeFile(runner.dataFile("lfile.qec"));
    ASSERT_EQ(cards({}).exitCode, 0);
    EXPECT_EQ(readWholeFile(runner.stateFile()), state);
    EXPECT_EQ(readWholeFile(runner.dataFile("prefs.txt")), prefs);
    EXPECT_EQ(readWholeFile(runner.dataFile("lfile.qec")), lfile);
}

TEST_F(CardsCommand, MissingOutFolderIsCreated)
{
    out = runner.folder() + "new/deeper/cards";
    const CardsRunner::Result result = cards({"--rows", "1"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(QFile::exists(out + "/K1ABC.jpg"));
}

// "-" reads the log from standard input, among the options like any log.
struct InputCase {
    const char *name;
    QStringList args;       // "OUT" stands for the folder of the cards
    const char *card;       // the card written, "" for none
    const char *outPart;    // in standard output
};

class CardsStandardInput : public CardsCommand, public ::testing::WithParamInterface<InputCase> {};

TEST_P(CardsStandardInput, DashIsTheLogPipedIn)
{
    const InputCase &c = GetParam();
    QStringList args = c.args;
    args.replaceInStrings(QStringLiteral("OUT"), out);
    const CardsRunner::Result result = runner.run(args, readWholeFile(logPath));
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.out.contains(QString::fromUtf8(c.outPart))) << result.out.toStdString();
    EXPECT_EQ(filesIn(out, "*.jpg"), *c.card ? QStringList{QString::fromUtf8(c.card)} : QStringList());
}

INSTANTIATE_TEST_SUITE_P(
    Logs, CardsStandardInput,
    ::testing::Values(
        InputCase{"Cards", {"cards", "--rows", "2", "-", "--out", "OUT"}, "DL1XYZ.jpg", ""},
        InputCase{"SendDryRun", {"send", "--dry-run", "-", "--call", "k1abc"}, "",
                  "row 1  K1ABC  20260315 093000 FT8  K1ABC.jpg -> k1abc@example.org"}),
    [](const ::testing::TestParamInfo<InputCase> &info) { return std::string(info.param.name); });

struct BadLogCase {
    const char *name;
    const char *path;   // under the program's folder
};

class CardsBadLog : public CardsCommand, public ::testing::WithParamInterface<BadLogCase> {};

TEST_P(CardsBadLog, ReportedAndTheOtherLogsStillMakeTheirCards)
{
    QDir().mkpath(runner.folder() + "a-folder.adi");
    const QString bad = runner.folder() + GetParam().path;
    const CardsRunner::Result result = runner.run({"cards", bad, logPath, "--out", out});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("Cannot open file " + bad)) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("1 log not read")) << result.err.toStdString();
    EXPECT_EQ(filesIn(out, "*.jpg").size(), 4);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, CardsBadLog,
    ::testing::Values(BadLogCase{"Missing", "no-such-log.adi"}, BadLogCase{"Folder", "a-folder.adi"}),
    [](const ::testing::TestParamInfo<BadLogCase> &info) { return std::string(info.param.name); });

TEST_F(CardsCommand, CardThatCannotBeWrittenIsNamedAndTheRestAreWritten)
{
    QDir().mkpath(out + "DL1XYZ.jpg");   // a folder where the picture should go
    const CardsRunner::Result result = cards({});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("DL1XYZ (row 2 of " + logPath + "): Cannot create file "
                                    + out + "DL1XYZ.jpg"))
        << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("3 cards written")) << result.err.toStdString();
    EXPECT_TRUE(QFile::exists(out + "K1ABC.jpg"));
    EXPECT_TRUE(QFile::exists(out + "G4ABC_P.jpg"));
}

// Calls that a file name cannot hold as they are keep names of their own, and a character that
// shows nothing never reaches a name.
TEST_F(CardsCommand, CallsOfSignsOnlyKeepNamesApart)
{
    QByteArray log = "Odd calls\n<adif_ver:5>3.1.4 <eoh>\n";
    for (const QString &call : {QStringLiteral("."), QStringLiteral("-"), QStringLiteral("*"),
                                QStringLiteral("W1\u200BAW"), QStringLiteral("G4\u00ADXYZ")})
        log += adifRecord(call, "20260315", "093000", "14.074", "FT8", "100", "-10");
    logPath = runner.writeFile("odd.adi", log);
    const CardsRunner::Result result = cards({});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(filesIn(out, "*.jpg"),
              (QStringList{"G4XYZ.jpg", "U+002A.jpg", "U+002D.jpg", "U+002E.jpg", "W1AW.jpg"}));
    EXPECT_EQ(filesIn(out, "*_info.txt").size(), 5);
    EXPECT_FALSE(result.err.contains("same call sign")) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("5 cards written")) << result.err.toStdString();
}

// --group-by-call: the QSOs of one call sign share cards, as many to a card as the design's
// "QSOs per card" (or --per-card) lists; a card of one QSO is the card the run without
// grouping makes, byte for byte.
struct GroupingCase {
    const char *name;
    const char *perCardStored;   // QsosPerCardBar.Position in Kartello.ini; empty: none
    QStringList args;
    QStringList grouped;         // the cards that differ from the run without grouping
    QStringList same;            // the cards that are the same files
};

void PrintTo(const GroupingCase &c, std::ostream *os) { *os << c.name; }

class CardsGrouped : public CardsCommand, public ::testing::WithParamInterface<GroupingCase> {};

TEST_P(CardsGrouped, ShareCardsByCallSign)
{
    const GroupingCase &c = GetParam();
    if (*c.perCardStored)
        runner.writeFile(runner.stateFile(),
                         QByteArray("[Form1]\r\nQsosPerCardBar.Position=") + c.perCardStored + "\r\n");
    const QString single = runner.folder() + "single/";
    ASSERT_EQ(runner.run({"cards", logPath, "--out", single}).exitCode, 0);
    const CardsRunner::Result result = cards(QStringList{"--group-by-call"} + c.args);
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    const QStringList made = filesIn(out, "*.jpg");
    EXPECT_EQ(made.size(), c.grouped.size() + c.same.size()) << made.join(' ').toStdString();
    EXPECT_TRUE(result.err.contains(QStringLiteral("%1 cards written").arg(made.size())))
        << result.err.toStdString();
    for (const QString &name : c.same)
        EXPECT_TRUE(readWholeFile(out + name) == readWholeFile(single + name)) << name.toStdString();
    for (const QString &name : c.grouped) {
        const QImage grouped(out + name), alone(single + name);
        ASSERT_FALSE(grouped.isNull()) << name.toStdString();
        // The table takes the QSO area; the station's part of the card stays as it was.
        EXPECT_NE(grouped, alone) << name.toStdString();
        EXPECT_EQ(grouped.copy(0, 0, 511, 120), alone.copy(0, 0, 511, 120)) << name.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, CardsGrouped,
    ::testing::Values(
        GroupingCase{"OneQsoPerCardMakesTodaysCards", "", {}, {},
                     {"DL1XYZ.jpg", "G4ABC_P.jpg", "K1ABC.jpg", "K1ABC_20260320_1015.jpg"}},
        GroupingCase{"SixPerCardPutsTheCallsQsosTogether", "6", {}, {"K1ABC.jpg"},
                     {"DL1XYZ.jpg", "G4ABC_P.jpg"}},
        GroupingCase{"PerCardOptionWinsOverTheDesign", "6", {"--per-card", "1"}, {},
                     {"DL1XYZ.jpg", "G4ABC_P.jpg", "K1ABC.jpg", "K1ABC_20260320_1015.jpg"}},
        GroupingCase{"PerCardOptionWithoutAStoredDesignValue", "", {"--per-card", "2"},
                     {"K1ABC.jpg"}, {"DL1XYZ.jpg", "G4ABC_P.jpg"}}),
    [](const auto &info) { return std::string(info.param.name); });

// Seven QSOs of a call where a card lists six: a second card, named as a later card of the
// call sign is.
TEST_F(CardsCommand, SevenQsosOfACallMakeTwoCards)
{
    QByteArray log = "Seven\n<adif_ver:5>3.1.4 <eoh>\n";
    for (int day = 7; day >= 1; --day)
        log += adifRecord("W1AW", QStringLiteral("2026030%1").arg(day), "1200", "14.074", "FT8",
                          "100", "-10");
    logPath = runner.writeFile("seven.adi", log);
    const CardsRunner::Result result = cards({"--group-by-call", "--per-card", "6"});
    EXPECT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(filesIn(out, "*.jpg"), (QStringList{"W1AW.jpg", "W1AW_20260307_1200.jpg"}));
}

TEST_F(CardsCommand, DesignThatCannotBeReadMakesNoCard)
{
    runner.writeFile(runner.dataFile("Info.txt"), "A\r\nB\r\nC\r\nD\r\nE\r\nF\r\n");
    const CardsRunner::Result result = cards({});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.contains("List index out of bounds (6)")) << result.err.toStdString();
    EXPECT_FALSE(QDir(out).exists());
}

struct UsageCase {
    const char *name;
    QStringList args;
    int exitCode;
    const char *outPart;    // in standard output
    const char *errPart;    // in standard error
};

class CardsUsage : public ::testing::TestWithParam<UsageCase> {};

TEST_P(CardsUsage, HelpVersionAndWrongCommandLines)
{
    const UsageCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const CardsRunner::Result result = runner.run(c.args);
    EXPECT_EQ(result.exitCode, c.exitCode);
    EXPECT_TRUE(result.out.contains(QString::fromUtf8(c.outPart))) << result.out.toStdString();
    EXPECT_TRUE(result.err.contains(QString::fromUtf8(c.errPart))) << result.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CardsUsage,
    ::testing::Values(
        UsageCase{"Help", {"cards", "--help"}, 0, "--format <FORMAT>   jpg (default), gif, png or pdf", ""},
        UsageCase{"Version", {"cards", "--version"}, 0, "kartello 0.", ""},
        UsageCase{"ProgramVersion", {"--version"}, 0, "kartello 0.", ""},
        UsageCase{"ProgramHelp", {"--help"}, 0, "cards", ""},
        UsageCase{"NoLog", {"cards"}, 2, "", "kartello cards: no ADIF log given"},
        UsageCase{"BadFormat", {"cards", "x.adi", "--format", "bmp"}, 2, "",
                  "unknown format \"bmp\""},
        UsageCase{"UnknownCommand", {"card"}, 2, "", "unknown command \"card\""},
        UsageCase{"PerCardTooMany", {"cards", "x.adi", "--group-by-call", "--per-card", "7"}, 2, "",
                  "--per-card \"7\" is not a number from 1 to 6"},
        UsageCase{"PerCardWithoutGrouping", {"cards", "x.adi", "--per-card", "2"}, 2, "",
                  "--per-card needs --group-by-call"},
        UsageCase{"HelpAmongLogs", {"cards", "x.adi", "-h"}, 0, "Usage: kartello cards [options] LOG.adi", ""},
        UsageCase{"MissingValue", {"cards", "x.adi", "--out"}, 2, "",
                  "kartello cards: --out needs a value\nTry 'kartello cards --help'"},
        UsageCase{"SendHelp", {"send", "--help"}, 0, "  -n, --dry-run ", ""},
        UsageCase{"SendVersion", {"send", "-v"}, 0, "kartello 0.", ""},
        UsageCase{"SendUnknownOption", {"send", "x.adi", "--format", "pdf"}, 2, "",
                  "kartello send: unknown option --format\nTry 'kartello send --help'"},
        UsageCase{"SendNoLog", {"send", "--dry-run"}, 2, "", "kartello send: no ADIF log given"}),
    [](const ::testing::TestParamInfo<UsageCase> &info) { return std::string(info.param.name); });

} // namespace

namespace {

// A card is the same picture on every desktop: the JPEG of a run under a 150 % or 200 %
// desktop scale is the bytes of the run at 100 %.
TEST(CardsOnAScaledDesktop, SameBytesAsAtOneHundredPercent)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const QString log = runner.writeFile(
        "log.adi", "<eoh>" + adifRecord("W1AW", "20240504", "0930", "7.025", "CW", "100W", "599"));
    QByteArray reference;
    const struct { const char *factor; const char *fontDpi; } scales[] = {
        {"1", ""}, {"1.5", "144"}, {"2", ""}};
    for (const auto &scale : scales) {
        qputenv("QT_SCALE_FACTOR", scale.factor);
        qputenv("QT_FONT_DPI", scale.fontDpi);
        const QString out = runner.folder() + "out" + scale.factor + "/";
        const CardsRunner::Result result = runner.run({"cards", log, "--out", out});
        qunsetenv("QT_SCALE_FACTOR");
        qunsetenv("QT_FONT_DPI");
        ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
        const QByteArray jpeg = readWholeFile(out + "W1AW.jpg");
        ASSERT_GT(jpeg.size(), 1000) << scale.factor;
        if (reference.isEmpty())
            reference = jpeg;
        EXPECT_TRUE(jpeg == reference) << "scale " << scale.factor << " changes the card";
    }
}

struct RunOfCardsCase {
    const char *name;
    const char *jobs;
    int cards;
};

void PrintTo(const RunOfCardsCase &c, std::ostream *os) { *os << c.name; }

class CardsOfOneRun : public ::testing::TestWithParam<RunOfCardsCase> {};

// A writer codes each card after the one it wrote before: every JPEG of a run is the file a
// run making that card alone writes.
TEST_P(CardsOfOneRun, AreTheFilesOfCardsMadeAlone)
{
    const RunOfCardsCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const QString log = runner.writeFile("many.adi", generatedLog(c.cards));
    const QString together = runner.folder() + "together/";
    ASSERT_EQ(runner.run({"cards", log, "--out", together, "--no-info", "--jobs", c.jobs}).exitCode, 0);
    const QStringList names = QDir(together).entryList({"*.jpg"}, QDir::Files, QDir::Name);
    ASSERT_EQ(names.size(), c.cards);
    for (int row = 1; row <= c.cards; ++row) {
        const QString alone = runner.folder() + QStringLiteral("alone%1/").arg(row);
        ASSERT_EQ(runner.run({"cards", log, "--out", alone, "--no-info", "--rows", QString::number(row)})
                      .exitCode,
                  0);
        const QStringList made = QDir(alone).entryList({"*.jpg"}, QDir::Files);
        ASSERT_EQ(made.size(), 1) << "row " << row;
        EXPECT_TRUE(readWholeFile(alone + made[0]) == readWholeFile(together + made[0]))
            << made[0].toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, CardsOfOneRun,
                         ::testing::Values(RunOfCardsCase{"OneWriter", "1", 5},
                                           RunOfCardsCase{"TwoWriters", "2", 6}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
