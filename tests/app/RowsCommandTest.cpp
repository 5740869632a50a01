// "kartello rows" as an operator runs it: the real executable, without a display.
#include <gtest/gtest.h>

#include "QtPrinters.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

const QByteArray loggerStyleLog =
    "ADIF export\n<adif_ver:5>3.1.0\n<programid:6>Logger\n<eoh>\n"
    "<call:3>ABC <qso_date:8>20240405 <time_on:6>093015 <freq:3>7.1 <mode:2>CW <rst_rcvd:3>599 <eor>\n"
    "<call:6>DL1ABC <qso_date:8>20241231 <time_on:4>2359 <freq:6>14.074 <mode:3>FT8 <rst_rcvd:3>-10 "
    "<tx_pwr:3>50W <email:6>a@b.de <eor>\n"
    "<qso_date:8>20240101 <eor>\n";

const QByteArray upperCaseLog =
    "<EOH>\r\n<CALL:4>K1AB<QSO_DATE:8>20240406<TIME_ON:4>1000<FREQ:4>1296<MODE:3>SSB<RST_RCVD:2>59"
    "<EOR>\r\n";

struct RowsCase
{
    const char *name;
    QStringList args;         // "LOG1" and "LOG2" stand for the two logs above
    QByteArray out;
    QByteArray err;           // a line the standard error must hold
    int status;
};

void PrintTo(const RowsCase &c, std::ostream *os) { *os << c.name; }

class RowsCommand : public ::testing::TestWithParam<RowsCase>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        write(QStringLiteral("LOG1"), loggerStyleLog);
        write(QStringLiteral("LOG2"), upperCaseLog);
    }
    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QTemporaryDir m_dir;
};

TEST_P(RowsCommand, PrintsRowsAndSummary)
{
    const RowsCase &c = GetParam();
    QProcess kartello;
    kartello.setWorkingDirectory(m_dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    kartello.setProcessEnvironment(env);
    kartello.start(QStringLiteral(KARTELLO_EXECUTABLE), QStringList{QStringLiteral("rows")} + c.args);
    ASSERT_TRUE(kartello.waitForFinished(30000));
    EXPECT_EQ(kartello.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kartello.exitCode(), c.status);
    EXPECT_EQ(kartello.readAllStandardOutput(), c.out);
    const QByteArray err = kartello.readAllStandardError();
    EXPECT_TRUE(err.contains(c.err)) << err.toStdString();
}

const RowsCase rowsCases[] = {
    {"OneLog", {"LOG1"},
     "   ABC, 04.05.2024, 0930, 7.100, , CW, 599\n"
     "DL1ABC, 12.31.2024, 2359, 14.074, 50W, FT8, -10, a@b.de\n",
     "LOG1: 2 rows added, 1 record skipped: 1 without CALL\n", 0},
    {"PowerGiven", {"--power", "100", "LOG2"},
     "  K1AB, 04.06.2024, 1000, 1296.000, 100, SSB, 59\n",
     "LOG2: 1 row added, no records skipped\n", 0},
    {"LogsInOrder", {"LOG2", "LOG1"},
     "  K1AB, 04.06.2024, 1000, 1296.000, , SSB, 59\n"
     "   ABC, 04.05.2024, 0930, 7.100, , CW, 599\n"
     "DL1ABC, 12.31.2024, 2359, 14.074, 50W, FT8, -10, a@b.de\n",
     "LOG1: 2 rows added", 0},
    {"MissingLogFailsOthersListed", {"MISSING", "LOG2"},
     "  K1AB, 04.06.2024, 1000, 1296.000, , SSB, 59\n",
     "kartello rows: cannot read MISSING", 1},
    {"NoLog", {}, "", "kartello rows: no log given", 2},
    {"UnknownOption", {"--colour", "LOG1"}, "", "kartello rows: unknown option --colour\nTry 'kartello rows --help'", 2},
};

INSTANTIATE_TEST_SUITE_P(Cli, RowsCommand, ::testing::ValuesIn(rowsCases),
                         [](const auto &info) { return std::string(info.param.name); });

QProcessEnvironment withoutDisplay()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    return env;
}

// "-" as a log reads standard input, as every shell tool does.
TEST(RowsCommandInput, DashReadsStandardInput)
{
    QProcess kartello;
    kartello.setProcessEnvironment(withoutDisplay());
    kartello.start(QStringLiteral(KARTELLO_EXECUTABLE), {"rows", "--power", "5", "-"});
    ASSERT_TRUE(kartello.waitForStarted());
    kartello.write(upperCaseLog);
    kartello.closeWriteChannel();
    ASSERT_TRUE(kartello.waitForFinished(30000));
    EXPECT_EQ(kartello.exitCode(), 0);
    EXPECT_EQ(kartello.readAllStandardOutput(), "  K1AB, 04.06.2024, 1000, 1296.000, 5, SSB, 59\n");
    EXPECT_EQ(kartello.readAllStandardError(), "-: 1 row added, no records skipped\n");
}

// A log's line breaks never split a row: one record, one line.
TEST(RowsCommandInput, ValuesWithLineBreaksStayOneRow)
{
    QProcess kartello;
    kartello.setProcessEnvironment(withoutDisplay());
    kartello.start(QStringLiteral(KARTELLO_EXECUTABLE), {"rows", "--power", "5", "-"});
    ASSERT_TRUE(kartello.waitForStarted());
    kartello.write(QByteArray("<CALL:4>K1AB<FREQ:3>7.1<EMAIL:34>victim@example.org\r\nINJECTED\r\nLINE"
                              "<COMMENT:3>a\0b<EOR>", 86));
    kartello.closeWriteChannel();
    ASSERT_TRUE(kartello.waitForFinished(30000));
    EXPECT_EQ(kartello.readAllStandardOutput(),
              "  K1AB, , , 7.100, 5, , , victim@example.org INJECTED LINE\n");
}

// Options that neither a command nor the window knows: an error with a hint, never the window.
struct ProgramOptionCase {
    const char *name;
    QStringList args;
    const char *err;
};

void PrintTo(const ProgramOptionCase &c, std::ostream *os) { *os << c.name; }

class ProgramOptions : public ::testing::TestWithParam<ProgramOptionCase> {};

TEST_P(ProgramOptions, UnknownOnesAreAWrongCommandLine)
{
    QProcess kartello;
    kartello.setProcessEnvironment(withoutDisplay());
    kartello.start(QStringLiteral(KARTELLO_EXECUTABLE), GetParam().args);
    ASSERT_TRUE(kartello.waitForFinished(30000));
    EXPECT_EQ(kartello.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(kartello.exitCode(), 2);
    const QByteArray err = kartello.readAllStandardError();
    EXPECT_TRUE(err.contains(GetParam().err)) << err.toStdString();
    EXPECT_TRUE(err.contains("Try \"kartello --help\"")) << err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cli, ProgramOptions, ::testing::Values(
    ProgramOptionCase{"UpperCaseV", {"-V"}, "kartello: unknown option \"-V\""},
    ProgramOptionCase{"Bogus", {"--bogus"}, "kartello: unknown option \"--bogus\""},
    ProgramOptionCase{"LetterX", {"-x"}, "kartello: unknown option \"-x\""},
    ProgramOptionCase{"AfterWindowOption", {"-platform", "offscreen", "-x"},
                      "kartello: unknown option \"-x\""}),
    [](const auto &info) { return std::string(info.param.name); });

// The window without a display, alone or with a log: a line that names the commands, never
// Qt's abort.
TEST(ProgramWithoutDisplay, SaysSoAndNamesTheCommands)
{
    for (const QStringList &args : {QStringList{}, QStringList{"log.adi"}, QStringList{"-style", "Fusion"}}) {
        QProcess kartello;
        kartello.setProcessEnvironment(withoutDisplay());
        kartello.start(QStringLiteral(KARTELLO_EXECUTABLE), args);
        ASSERT_TRUE(kartello.waitForFinished(30000));
        EXPECT_EQ(kartello.exitStatus(), QProcess::NormalExit) << args.join(' ').toStdString();
        EXPECT_EQ(kartello.exitCode(), 1) << args.join(' ').toStdString();
        EXPECT_EQ(kartello.readAllStandardError(),
                  "kartello: no display; the commands rows/cards/send/listen/paths need none\n");
        EXPECT_EQ(kartello.readAllStandardOutput(), QByteArray());
    }
}

} // namespace
