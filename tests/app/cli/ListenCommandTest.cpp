// `kartello listen` as the operator runs it: the built program, a logging program's datagrams
// sent to it over the loopback interface, a signal to end it.
#include "AiosmtpdServer.h"
#include "CardsRunner.h"
#include "ListenProcess.h"
#include "ProtocolSender.h"
#include "TestCertificates.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>

#include "QtPrinters.h"

namespace {

const QString kMailScripts = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/mail");
const auto *const kCertificates = ::testing::AddGlobalTestEnvironment(new TestCertificates(kMailScripts));

QList<QByteArray> pair(const QsoLoggedFields &qso)
{
    return {qsoLoggedDatagram(qso), loggedAdifDatagram(qso.id, loggedAdifText(qso))};
}

struct SignalCase
{
    const char *name;
    bool group;
    int signal;
    int status;
};

void PrintTo(const SignalCase &c, std::ostream *os) { *os << c.name; }

class ListenUntilSignal : public ::testing::TestWithParam<SignalCase>
{
};

TEST_P(ListenUntilSignal, PrintsEachQsoOnceThenEnds)
{
    const SignalCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const quint16 port = freeUdpPort();
    const QHostAddress to(c.group ? QStringLiteral("224.0.0.1") : QStringLiteral("127.0.0.1"));
    ListenProcess listen(runner);
    ASSERT_TRUE(listen.start({c.group ? "--group" : "--port", QStringLiteral("%1:%2").arg(to.toString()).arg(port)}))
        << listen.err.toStdString();
    ProtocolSender sender;
    QList<QByteArray> datagrams = {heartbeatDatagram("WSJT-X"), QByteArray("noise")};
    datagrams += pair(sampleQso(5)) + pair(sampleQso(5)) + pair(sampleQso(6));
    for (const QByteArray &datagram : datagrams)
        ASSERT_TRUE(sender.send(datagram, to, port));
    ASSERT_TRUE(listen.waitForLines(2)) << listen.out.toStdString();
    EXPECT_EQ(listen.stop(c.signal), c.status);
    EXPECT_EQ(listen.out, "  K5AB, 12.08.2026, 1405, 14.076, 50, FT8, -10 <- WSJT-X: received\n"
                          "  K6AB, 12.08.2026, 1406, 14.076, 50, FT8, -10 <- WSJT-X: received\n");
    EXPECT_TRUE(listen.err.contains("QSOs received: 2, datagrams refused: 1")) << listen.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(ListenCommand, ListenUntilSignal,
                         ::testing::Values(SignalCase{"UnicastCtrlC", false, SIGINT, 130},
                                           SignalCase{"GroupTerm", true, SIGTERM, 143},
                                           SignalCase{"UnicastHangUp", false, SIGHUP, 129}),
                         [](const auto &info) { return std::string(info.param.name); });

// A QSO that only "QSO Logged" brings is given when its wait is over; one that the system
// received just before the signal, still unread or waiting, is given before the program ends.
TEST(ListenCommand, QsoWaitingAtTheSignalIsPrinted)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const quint16 port = freeUdpPort();
    ListenProcess listen(runner);
    ASSERT_TRUE(listen.start({"--port", QString::number(port)})) << listen.err.toStdString();
    ProtocolSender sender;
    ASSERT_TRUE(sender.send(qsoLoggedDatagram(sampleQso(1)), QHostAddress::LocalHost, port));
    ASSERT_TRUE(listen.waitForLines(1));
    QsoLoggedFields last = sampleQso(2);
    last.txPower.clear();
    ASSERT_TRUE(sender.send(qsoLoggedDatagram(last), QHostAddress::LocalHost, port));
    EXPECT_EQ(listen.stop(SIGINT), 130);
    EXPECT_EQ(listen.out, "  K1AB, 12.08.2026, 1401, 14.076, 50, FT8, -10 <- WSJT-X: received\n"
                          "  K2AB, 12.08.2026, 1402, 14.076, , FT8, -10 <- WSJT-X: received\n");
}

TEST(ListenCommand, PortInUseIsAnError)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::LocalHost, 0));
    const CardsRunner::Result result = runner.run({"listen", "--port", QString::number(taken.localPort())});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.err.startsWith("kartello listen: cannot listen on 127.0.0.1:")) << result.err.toStdString();
}

// The files --save writes for a QSO are those `kartello cards` writes for the same QSO read
// from a log: the same card, byte for byte, and the same contact info file.
TEST(ListenCommand, SavedCardsEqualThoseOfKartelloCards)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const quint16 port = freeUdpPort();
    ListenProcess listen(runner);
    ASSERT_TRUE(listen.start({"--port", QString::number(port), "--save", "saved"})) << listen.err.toStdString();
    const QByteArray withEmail = "<eoh><call:5>ea1bc <qso_date:8>20261208 <time_on:4>0930 <freq:8>7.074000 "
                                 "<mode:3>FT8 <tx_pwr:3>100 <rst_rcvd:3>-05 <email:10>ea@mail.es <eor>";
    QsoLoggedFields withoutPower = sampleQso(8);
    withoutPower.txPower.clear();
    ProtocolSender sender;
    ASSERT_TRUE(sender.send(loggedAdifDatagram("JTDX", withEmail), QHostAddress::LocalHost, port));
    ASSERT_TRUE(sender.send(qsoLoggedDatagram(withoutPower), QHostAddress::LocalHost, port));
    ASSERT_TRUE(listen.waitForLines(2)) << listen.err.toStdString();
    EXPECT_EQ(listen.stop(SIGTERM), 143);
    EXPECT_EQ(listen.out.count("card saved as saved/"), 2) << listen.out.toStdString();

    const QString log = runner.writeFile("same.adi", "<eoh>" + withEmail.mid(5) + loggedAdifText(withoutPower).mid(
                                                                                      loggedAdifText(withoutPower).indexOf("<EOH>") + 5));
    const CardsRunner::Result cards = runner.run({"cards", log, "--out", "cards"});
    ASSERT_EQ(cards.exitCode, 0) << cards.err.toStdString();
    const QDir saved(runner.folder() + "saved"), made(runner.folder() + "cards");
    const QStringList names = made.entryList(QDir::Files, QDir::Name);
    EXPECT_EQ(saved.entryList(QDir::Files, QDir::Name), names);
    EXPECT_EQ(names.size(), 4);
    for (const QString &name : names)
        EXPECT_EQ(readWholeFile(saved.filePath(name)), readWholeFile(made.filePath(name))) << name.toStdString();
}

// --send e-mails the card --save writes to each QSO's address, once: a QSO the journal holds
// (sent by `kartello send` before) does not go again.
struct SendCase
{
    const char *name;
    QStringList args;
    bool sentBefore;
    QStringList outcomes;   // of the QSO with an address and of the one without
    int messages;           // the server holds in the end
};

void PrintTo(const SendCase &c, std::ostream *os) { *os << c.name; }

class ListenAndSend : public ::testing::TestWithParam<SendCase>
{
};

TEST_P(ListenAndSend, SendsEachQsoWithAnAddressOnce)
{
    const SendCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    QTemporaryDir inbox;
    const QString cert = TestCertificates::path(QStringLiteral("localhost"));
    AiosmtpdServer server(kMailScripts + "/smtp_tls_server.py", {inbox.path(), "starttls", cert + ".pem", cert + ".key"});
    ASSERT_NE(0, server.port()) << server.errors().toStdString();
    runner.writeFile(runner.dataFile("smtp.onl"),
                     QStringLiteral("localhost\r\ndl1abc\r\napp-pw-73\r\n%1\r\nstarttls\r\n600\r\n").arg(server.port()).toUtf8());
    const QByteArray withEmail = "<eoh><call:5>ea1bc <qso_date:8>20261208 <time_on:4>0930 <freq:8>7.074000 "
                                 "<mode:3>FT8 <tx_pwr:3>100 <rst_rcvd:3>-05 <email:10>ea@mail.es <eor>";
    if (c.sentBefore)
        ASSERT_EQ(0, runner.run({"send", runner.writeFile("before.adi", withEmail)}).exitCode);

    const quint16 port = freeUdpPort();
    ListenProcess listen(runner);
    ASSERT_TRUE(listen.start(QStringList{"--port", QString::number(port)} + c.args)) << listen.err.toStdString();
    ProtocolSender sender;
    ASSERT_TRUE(sender.send(loggedAdifDatagram("JTDX", withEmail), QHostAddress::LocalHost, port));
    ASSERT_TRUE(sender.send(qsoLoggedDatagram(sampleQso(8)), QHostAddress::LocalHost, port));
    ASSERT_TRUE(listen.waitForLines(2)) << listen.err.toStdString();
    EXPECT_EQ(listen.stop(SIGTERM), 143);
    EXPECT_EQ(listen.out, " ea1bc, 12.08.2026, 0930, 7.074, 100, FT8, -05, ea@mail.es <- JTDX: " + c.outcomes[0] + "\n"
                          "  K8AB, 12.08.2026, 1408, 14.076, 50, FT8, -10 <- WSJT-X: " + c.outcomes[1] + "\n");
    const QStringList held = runPython({KARTELLO_SOURCE_DIR "/tests/sending/decode_inbox.py", inbox.path()})
                                 .split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(held.size(), c.messages) << held.join('\n').toStdString();
    EXPECT_EQ(QString::fromUtf8(readWholeFile(runner.dataFile("Sent.adi"))).count("<EOR>"), c.messages);
    if (QFile::exists(runner.folder() + "saved/EA1BC.jpg"))
        EXPECT_TRUE(readWholeFile(inbox.filePath("message1.card")) == readWholeFile(runner.folder() + "saved/EA1BC.jpg"));
}

INSTANTIATE_TEST_SUITE_P(
    ListenCommand, ListenAndSend,
    ::testing::Values(SendCase{"SavesAndSends", {"--send", "--save", "saved"}, false,
                               {"card saved as saved/EA1BC.jpg; sent", "card saved as saved/K8AB.jpg; no address"}, 1},
                      SendCase{"SentBeforeGoesNotAgain", {"--send"}, true, {"already sent", "no address"}, 1}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
