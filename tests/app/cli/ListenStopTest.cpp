// A stop while `kartello listen --send` has a card on its way: the program ends at once, however
// long the server would keep it, and records nothing the server did not take.
#include "AiosmtpdServer.h"
#include "CardsRunner.h"
#include "ListenProcess.h"
#include "ProtocolSender.h"
#include "TestCertificates.h"

#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <string>

#include "QtPrinters.h"

namespace {

const QString kMailScripts = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/mail");
const auto *const kCertificates = ::testing::AddGlobalTestEnvironment(new TestCertificates(kMailScripts));

QByteArray qsoWithAddress(const QByteArray &call, const QByteArray &time)
{
    return "<eoh><call:" + QByteArray::number(call.size()) + ">" + call + " <qso_date:8>20261208 <time_on:4>" + time
           + " <freq:8>7.074000 <mode:3>FT8 <tx_pwr:3>100 <email:10>ea@mail.es <eor>";
}

void writeMailSettings(const CardsRunner &runner, quint16 port, int perMinute)
{
    runner.writeFile(runner.dataFile("smtp.onl"),
                     QStringLiteral("localhost\r\ndl1abc\r\napp-pw-73\r\n%1\r\nstarttls\r\n%2\r\n")
                         .arg(port)
                         .arg(perMinute)
                         .toUtf8());
}

int journalRecords(const CardsRunner &runner)
{
    return QString::fromUtf8(readWholeFile(runner.dataFile("Sent.adi"))).count("<EOR>", Qt::CaseInsensitive);
}

struct StopCase
{
    const char *name;
    int signal;
    int status;
};

void PrintTo(const StopCase &c, std::ostream *os) { *os << c.name; }

class StopDuringASend : public ::testing::TestWithParam<StopCase>
{
};

// The server takes the connection and never greets: the card waits on it when the signal
// comes. ListenProcess::stop() gives up after 30 s, well before the server's 60 s would end.
TEST_P(StopDuringASend, ToASilentServerEndsAtOnce)
{
    const StopCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    writeMailSettings(runner, silent.serverPort(), 600);
    const quint16 port = freeUdpPort();
    ListenProcess listen(runner);
    ASSERT_TRUE(listen.start({"--port", QString::number(port), "--send"})) << listen.err.toStdString();
    ProtocolSender sender;
    ASSERT_TRUE(sender.send(loggedAdifDatagram("JTDX", qsoWithAddress("ea1bc", "0930")), QHostAddress::LocalHost, port));
    ASSERT_TRUE(silent.waitForNewConnection(30000));
    // One more QSO comes while the first card waits: it is printed, unsent.
    ASSERT_TRUE(sender.send(loggedAdifDatagram("JTDX", qsoWithAddress("ea2bc", "0931")), QHostAddress::LocalHost, port));
    EXPECT_EQ(listen.stop(c.signal), c.status) << listen.err.toStdString();
    EXPECT_EQ(listen.out, " ea1bc, 12.08.2026, 0930, 7.074, 100, FT8, , ea@mail.es <- JTDX: not sent: stopped\n"
                          " ea2bc, 12.08.2026, 0931, 7.074, 100, FT8, , ea@mail.es <- JTDX: not sent: stopped\n");
    EXPECT_EQ(journalRecords(runner), 0);
}

INSTANTIATE_TEST_SUITE_P(ListenCommand, StopDuringASend,
                         ::testing::Values(StopCase{"CtrlC", SIGINT, 130}, StopCase{"Term", SIGTERM, 143},
                                           StopCase{"HangUp", SIGHUP, 129}),
                         [](const auto &info) { return std::string(info.param.name); });

// At one card a minute the second card waits for the pace when the signal comes; the first,
// which the server took, stays recorded.
TEST(ListenCommand, StopDuringThePaceEndsAtOnce)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    QTemporaryDir inbox;
    const QString cert = TestCertificates::path(QStringLiteral("localhost"));
    AiosmtpdServer server(kMailScripts + "/smtp_tls_server.py", {inbox.path(), "starttls", cert + ".pem", cert + ".key"});
    ASSERT_NE(0, server.port()) << server.errors().toStdString();
    writeMailSettings(runner, server.port(), 1);
    const quint16 port = freeUdpPort();
    ListenProcess listen(runner);
    ASSERT_TRUE(listen.start({"--port", QString::number(port), "--send"})) << listen.err.toStdString();
    ProtocolSender sender;
    ASSERT_TRUE(sender.send(loggedAdifDatagram("JTDX", qsoWithAddress("ea1bc", "0930")), QHostAddress::LocalHost, port));
    ASSERT_TRUE(listen.waitForLines(1)) << listen.err.toStdString();
    ASSERT_TRUE(sender.send(loggedAdifDatagram("JTDX", qsoWithAddress("ea2bc", "0931")), QHostAddress::LocalHost, port));
    EXPECT_EQ(listen.stop(SIGTERM), 143) << listen.err.toStdString();
    EXPECT_EQ(listen.out, " ea1bc, 12.08.2026, 0930, 7.074, 100, FT8, , ea@mail.es <- JTDX: sent\n"
                          " ea2bc, 12.08.2026, 0931, 7.074, 100, FT8, , ea@mail.es <- JTDX: not sent: stopped\n");
    EXPECT_EQ(journalRecords(runner), 1);
}

} // namespace
