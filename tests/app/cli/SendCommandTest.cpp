// `kartello send` as an operator runs it: the built program, a small log and a real SMTP server
// with STARTTLS and AUTH.
#include "AiosmtpdServer.h"
#include "CardsRunner.h"
#include "TestCertificates.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace {

const QString kMailScripts = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/mail");
const QString kSendingScripts = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/sending");
const auto *const kCertificates = ::testing::AddGlobalTestEnvironment(new TestCertificates(kMailScripts));

struct SendRow
{
    const char *name;
    QStringList args;        // after "send LOG"
    const char *password;
    int runsBefore;          // runs of plain `kartello send LOG` first
    int exitCode;
    QString err;             // a line of standard error
    QString out;             // a line of standard output; empty: nothing printed
    int messages;            // messages the server holds in the end
};

void PrintTo(const SendRow &row, std::ostream *os) { *os << row.name; }

class SendCommandBase : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(runner.isValid());
        QByteArray log = "Weekend log\n<adif_ver:5>3.1.4 <programid:6>Tester <eoh>\n";
        log += adifRecord("K1ABC", "20260315", "093000", "14.074", "FT8", "100", "-10", "k1abc@example.org");
        log += adifRecord("DL1XYZ", "20260316", "1200", "7.1", "CW", "", "599");
        log += adifRecord("G4AA", "20260317", "1300", "21.2", "SSB", "", "59", "g4aa");
        log += adifRecord("F5BB", "20260318", "1400", "3.573", "FT8", "", "-05", " f5bb@example.fr ");
        logPath = runner.writeFile("weekend.adi", log);
    }

    void startServer(const char *password)
    {
        const QString cert = TestCertificates::path(QStringLiteral("localhost"));
        server = std::make_unique<AiosmtpdServer>(
            kMailScripts + QStringLiteral("/smtp_tls_server.py"),
            QStringList{inbox.path(), QStringLiteral("starttls"), cert + ".pem", cert + ".key"});
        ASSERT_NE(0, server->port()) << server->errors().toStdString();
        writeSettings(password, 600);
    }

    void writeSettings(const char *password, int perMinute)
    {
        runner.writeFile(runner.dataFile("smtp.onl"),
                         QStringLiteral("localhost\r\ndl1abc\r\n%1\r\n%2\r\nstarttls\r\n%3\r\n")
                             .arg(QLatin1String(password))
                             .arg(server->port())
                             .arg(perMinute)
                             .toUtf8());
    }

    // The messages the server holds: "To" header and the attachment's name, one line each.
    QStringList messages() const
    {
        QStringList lines;
        for (const QString &line : runPython({kSendingScripts + "/decode_inbox.py", inbox.path()}).split('\n', Qt::SkipEmptyParts)) {
            const QStringList f = line.split('\t');
            lines << (f.size() == 5 ? f[1] + ' ' + f[3] + " defects " + f[4] : line);
        }
        return lines;
    }

    CardsRunner runner;
    QString logPath;
    QTemporaryDir inbox;
    std::unique_ptr<AiosmtpdServer> server;
};

class SendCommand : public SendCommandBase, public ::testing::WithParamInterface<SendRow>
{
};

TEST_P(SendCommand, SendsWhatTheJournalDoesNotHold)
{
    const SendRow &row = GetParam();
    startServer(row.password);
    for (int i = 0; i < row.runsBefore; ++i)
        ASSERT_EQ(0, runner.run({"send", logPath}).exitCode);
    const CardsRunner::Result result = runner.run(QStringList{"send", logPath} + row.args);
    EXPECT_EQ(row.exitCode, result.exitCode) << result.err.toStdString();
    EXPECT_TRUE(result.err.split('\n').contains(row.err)) << result.err.toStdString();
    if (row.out.isEmpty())
        EXPECT_EQ(QString(), result.out);
    else
        EXPECT_TRUE(result.out.split('\n').contains(row.out)) << result.out.toStdString();
    EXPECT_EQ(row.messages, messages().size()) << messages().join('\n').toStdString();
}

const char kGood[] = "app-pw-73";
const QString kSkips = QStringLiteral("; 1 without an address; 1 with an address the e-mail check refuses");

const SendRow kSendRows[] = {
    {"DryRunConnectsToNothing", {"--dry-run"}, kGood, 0, 0, "2 cards would be sent" + kSkips,
     "row 1  K1ABC  20260315 093000 FT8  K1ABC.jpg -> k1abc@example.org", 0},
    {"SendsEveryCardWithAnAddress", {}, kGood, 0, 0, "2 cards sent" + kSkips, {}, 2},
    {"SecondRunSendsNothing", {}, kGood, 1, 0, "0 cards sent; 2 already sent" + kSkips, {}, 2},
    {"DryRunAfterARun", {"--dry-run"}, kGood, 1, 0, "0 cards would be sent; 2 already sent" + kSkips,
     "row 4  F5BB  20260318 1400 FT8  F5BB.jpg -> f5bb@example.fr  (already sent)", 2},
    {"ResendSendsAgain", {"--resend"}, kGood, 1, 0, "2 cards sent" + kSkips, {}, 4},
    {"OneCallOnly", {"--call", "f5bb"}, kGood, 0, 0, "1 card sent", {}, 1},
    {"RowsOnly", {"--rows", "1-2"}, kGood, 0, 0, "1 card sent; 1 without an address", {}, 1},
    {"WrongPasswordStopsAtOnce", {}, "wrong", 0, 1,
     "kartello send: the run stopped: 535 5.7.8 Authentication credentials invalid", {}, 0},
    {"WrongCommandLine", {"--per-minute", "0"}, kGood, 0, 2,
     "kartello send: --per-minute \"0\" is not a number from 1 to 600", {}, 0},
};

INSTANTIATE_TEST_SUITE_P(Runs, SendCommand, ::testing::ValuesIn(kSendRows),
                         [](const auto &info) { return std::string(info.param.name); });

// The card that goes out is the card `kartello cards` writes as JPEG, byte for byte.
TEST_F(SendCommand, AttachesTheCardKartelloCardsWrites)
{
    startServer(kGood);
    ASSERT_EQ(0, runner.run({"send", logPath, "--call", "K1ABC"}).exitCode);
    const QString out = runner.folder() + "cards/";
    ASSERT_EQ(0, runner.run({"cards", logPath, "--call", "K1ABC", "--no-info", "--out", out}).exitCode);
    ASSERT_EQ(QStringList{"k1abc@example.org K1ABC.jpg defects 0"}, messages());
    const QByteArray sent = readWholeFile(inbox.filePath("message1.card"));
    EXPECT_FALSE(sent.isEmpty());
    EXPECT_TRUE(sent == readWholeFile(out + "K1ABC.jpg"));
}

// The operator's mail template gives the cards' text; one that cannot be read sends nothing.
TEST_F(SendCommand, TextFromTheMailTemplate)
{
    startServer(kGood);
    const QString path = runner.dataFile("QslMail.txt");
    ASSERT_TRUE(QDir().mkpath(path));
    const CardsRunner::Result refused = runner.run({"send", logPath});
    EXPECT_EQ(1, refused.exitCode);
    EXPECT_TRUE(refused.err.startsWith("kartello send: The mail template " + path + " cannot be read"))
        << refused.err.toStdString();
    EXPECT_EQ(QStringList(), messages());

    ASSERT_TRUE(QDir().rmdir(path));
    runner.writeFile(path, "QSL {CALL} de {MYCALL}: {QSOCOUNT}\r\n\r\nTnx fer {QSOS}\r\n");
    ASSERT_EQ(0, runner.run({"send", logPath, "--call", "K1ABC"}).exitCode);
    const QStringList fields =
        runPython({kSendingScripts + "/decode_inbox.py", inbox.path(), "--text"}).trimmed().split('\t');
    ASSERT_EQ(9, fields.size()) << fields.join('|').toStdString();
    EXPECT_EQ("QSL K1ABC de N0CALL: 1 QSO", fields[5]);
    EXPECT_EQ("Tnx fer 2026-03-15 09:30 UTC, 20m, FT8, RST -10", fields[7]);
}

// --group-by-call: one message per call sign with one picture per card, the cards those of
// `kartello cards --group-by-call`, and one journal record per QSO, all of the message's
// records under its Message-ID; a second run sends none again.
TEST_F(SendCommand, GroupedByCallOneMessagePerCall)
{
    startServer(kGood);
    QByteArray log = "Repeats\n<eoh>\n";
    log += adifRecord("K1ABC", "20260317", "1300", "7.074", "FT8", "", "-12", "k1abc@example.org");
    log += adifRecord("DL1XYZ", "20260316", "1200", "7.1", "CW", "", "599", "dl1xyz@example.de");
    log += adifRecord("k1abc", "20260315", "0930", "14.074", "FT8", "", "-10", "k1abc@example.org");
    log += adifRecord("K1ABC", "20260316", "2200", "21.074", "FT4", "", "-03", "k1abc@example.org");
    logPath = runner.writeFile("repeats.adi", log);
    runner.writeFile(runner.dataFile("QslMail.txt"), "QSL {CALL} de {MYCALL}: {QSOCOUNT}\r\n\r\n{QSOS}\r\n");
    const QStringList args{"--group-by-call", "--per-card", "2"};

    const CardsRunner::Result dry = runner.run(QStringList{"send", logPath, "--dry-run"} + args);
    EXPECT_TRUE(dry.out.contains("message  K1ABC (rows 1, 3, 4 of " + logPath + ")  3 QSOs on 2 cards -> "
                                 "k1abc@example.org"))
        << dry.out.toStdString();
    EXPECT_TRUE(dry.err.contains("2 cards would be sent")) << dry.err.toStdString();

    const CardsRunner::Result sent = runner.run(QStringList{"send", logPath} + args);
    ASSERT_EQ(0, sent.exitCode) << sent.err.toStdString();
    EXPECT_TRUE(sent.err.contains("2 cards sent")) << sent.err.toStdString();
    const QStringList lines =
        runPython({kSendingScripts + "/decode_inbox.py", inbox.path(), "--text"}).trimmed().split('\n');
    ASSERT_EQ(2, lines.size()) << lines.join('\n').toStdString();
    const int k1Line = lines[0].contains("k1abc@example.org") ? 0 : 1;
    const QStringList k1 = lines[k1Line].split('\t'), dl = lines[1 - k1Line].split('\t');
    ASSERT_EQ(9, k1.size());
    ASSERT_EQ(9, dl.size());
    EXPECT_EQ("QSL K1ABC de N0CALL: 3 QSOs", k1[5]);
    EXPECT_EQ("K1ABC.jpg,K1ABC_20260317_1300.jpg", k1[8]);
    EXPECT_TRUE(k1[7].startsWith("2026-03-15 09:30 UTC, 20m")) << k1[7].toStdString();
    EXPECT_EQ("QSL DL1XYZ de N0CALL: 1 QSO", dl[5]);

    // The pictures are the cards `kartello cards` makes of the same groups.
    const QString out = runner.folder() + "cards/";
    ASSERT_EQ(0, runner.run(QStringList{"cards", logPath, "--no-info", "--out", out} + args).exitCode);
    const int k1Message = k1[0].toInt();
    EXPECT_TRUE(readWholeFile(inbox.filePath(QStringLiteral("message%1.card").arg(k1Message)))
                == readWholeFile(out + "K1ABC.jpg"));
    EXPECT_TRUE(readWholeFile(inbox.filePath(QStringLiteral("message%1.card2").arg(k1Message)))
                == readWholeFile(out + "K1ABC_20260317_1300.jpg"));

    // One record per QSO; the three of K1ABC's message under one Message-ID.
    const QString journal = QString::fromUtf8(readWholeFile(runner.dataFile("Sent.adi")));
    EXPECT_EQ(4, journal.count("<EOR>")) << journal.toStdString();
    QStringList ids;
    for (const QString &record : journal.split("<EOR>"))
        if (record.contains("<CALL:5>K1ABC", Qt::CaseInsensitive))
            ids << record.section("APP_KARTELLO_MSGID:", 1).section('>', 1).section(' ', 0, 0).trimmed();
    ASSERT_EQ(3, ids.size());
    EXPECT_EQ(ids[0], ids[1]);
    EXPECT_EQ(ids[0], ids[2]);

    const CardsRunner::Result again = runner.run(QStringList{"send", logPath} + args);
    EXPECT_TRUE(again.err.contains("0 cards sent; 4 already sent")) << again.err.toStdString();
}

// A run killed in the middle leaves a journal of the cards the server holds, and the next run
// sends the rest, none twice.
TEST_F(SendCommand, KilledInTheMiddleThenRunAgain)
{
    startServer(kGood);
    QByteArray log = "Big log\n<eoh>\n";
    for (int i = 0; i < 6; ++i) {
        const QString call = QStringLiteral("W1A") + QChar('A' + i);
        log += adifRecord(call, "20260401", QStringLiteral("%1").arg(1000 + i), "14.074", "FT8", "", "-10",
                          call.toLower() + "@example.net");
    }
    runner.writeFile("big.adi", log);
    writeSettings(kGood, 60);   // a card a second: the kill falls between two cards
    QProcess process;
    process.setWorkingDirectory(runner.folder());
    process.start(runner.programPath(), {"send", "big.adi"});
    QElapsedTimer waited;
    waited.start();
    while (messages().size() < 2 && waited.elapsed() < 20000)
        QThread::msleep(50);
    QThread::msleep(300);
    ::kill(pid_t(process.processId()), SIGKILL);
    process.waitForFinished(5000);
    const int kept = int(messages().size());
    EXPECT_GE(kept, 2);
    EXPECT_LT(kept, 6);
    // A kill between a card's "Sending:" line and its record leaves a card that may have been
    // sent (whether the server got it or not): the next run names it and leaves it out.
    const QString journal = QString::fromUtf8(readWholeFile(runner.dataFile("Sent.adi")));
    const int recorded = int(journal.count("<EOR>"));
    const int maybe = int(journal.count("\nSending: ")) - recorded;
    EXPECT_TRUE(maybe == 0 || maybe == 1) << journal.toStdString();
    EXPECT_LE(kept - recorded, maybe) << "a card the server holds is neither recorded nor named";

    writeSettings(kGood, 600);
    const CardsRunner::Result again = runner.run({"send", "big.adi"});
    EXPECT_EQ(0, again.exitCode) << again.err.toStdString();
    EXPECT_TRUE(again.err.contains(QStringLiteral("%1 cards sent; %2 already sent").arg(6 - recorded - maybe).arg(recorded)
                                   + (maybe ? QStringLiteral("; 1 may have been sent before (not sent again)\n")
                                            : QStringLiteral("\n"))))
        << again.err.toStdString();
    QStringList all = messages();
    all.sort();
    all.removeDuplicates();
    EXPECT_EQ(messages().size(), all.size()) << "a card went out twice: " << messages().join('\n').toStdString();
    EXPECT_EQ(6 - maybe + (kept - recorded), all.size()) << messages().join('\n').toStdString();
    EXPECT_EQ(6 - maybe, QString::fromUtf8(readWholeFile(runner.dataFile("Sent.adi"))).count("<EOR>"));
}

// SIGTERM or SIGHUP in the middle of a run: the exit status names the signal, and the journal
// holds exactly the cards the server received.
struct StopRow
{
    const char *name;
    int signal;
    int exitCode;
};

void PrintTo(const StopRow &row, std::ostream *os) { *os << row.name; }

class SendStopped : public SendCommandBase, public ::testing::WithParamInterface<StopRow>
{
};

TEST_P(SendStopped, EndsWithTheSignalsStatus)
{
    startServer(kGood);
    runner.writeFile("big.adi", generatedLog(6).replace("<eor>", "<email:13>k@example.net <eor>"));
    writeSettings(kGood, 60);
    QProcess process;
    process.setWorkingDirectory(runner.folder());
    process.start(runner.programPath(), {"send", "big.adi"});
    QElapsedTimer waited;
    waited.start();
    while (messages().isEmpty() && waited.elapsed() < 20000)
        QThread::msleep(50);
    ::kill(pid_t(process.processId()), GetParam().signal);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(QProcess::NormalExit, process.exitStatus());
    EXPECT_EQ(GetParam().exitCode, process.exitCode()) << process.readAllStandardError().toStdString();
    const int held = int(messages().size());
    EXPECT_GE(held, 1);
    EXPECT_LT(held, 6);
    EXPECT_EQ(held, QString::fromUtf8(readWholeFile(runner.dataFile("Sent.adi"))).count("<EOR>"));
}

INSTANTIATE_TEST_SUITE_P(Signals, SendStopped,
                         ::testing::Values(StopRow{"Term", SIGTERM, 143}, StopRow{"HangUp", SIGHUP, 129}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
