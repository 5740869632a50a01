// Listen in the window stopped while a card is on its way, and the computers it takes QSOs
// from.
#include "ListenWindowFixture.h"

#include "IniFile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <functional>

#include "QtPrinters.h"

namespace {

struct StopCase
{
    const char *name;
    // What stops the card on its way.
    std::function<void(MainWindow &window)> stop;
    bool listening;  // afterwards
};

void PrintTo(const StopCase &c, std::ostream *os) { *os << c.name; }

class ListenStopsASend : public ListenWindow, public ::testing::WithParamInterface<StopCase>
{
};

// The server takes the connection and never greets. The stop comes while the card waits for
// it: the connection is aborted at once, nothing more is written to it (a session that ran
// out of time would say "Quit" after a minute), and the card is not recorded as sent.
TEST_P(ListenStopsASend, AbortsItsConnection)
{
    QTcpServer silent;
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    writeFile(dataFile("smtp.onl"), QStringLiteral("localhost\r\nyour user id\r\npw\r\n%1\r\nnone\r\n600\r\n")
                                        .arg(silent.serverPort())
                                        .toUtf8());
    port = freeUdpPort();
    to = QHostAddress::LocalHost;
    writeFile(stateFile(),
              QStringLiteral("[Listen]\r\nEnabled=TRUE\r\nAddress=127.0.0.1:%1\r\nSendCards=TRUE\r\n").arg(port).toUtf8());
    start();
    setUpListening(*form);
    form->control<QLineEdit>("EmailEdit1")->setText("dl1abc@example.org");
    QTcpSocket *connection = nullptr;
    QObject::connect(&silent, &QTcpServer::newConnection, [&] {
        connection = silent.nextPendingConnection();
        GetParam().stop(*form);
    });
    send(loggedAdifDatagram("JTDX", "<eoh><call:5>ea1bc <qso_date:8>20261208 <time_on:4>0930 <freq:8>7.074000 "
                                    "<mode:3>FT8 <email:10>ea@mail.es <eor>"));
    // The program's own event loop, which the stop may end; it is ended here once the server
    // saw the connection closed, looked at only when the send has returned to it.
    QTimer watch;
    const QDeadlineTimer deadline(10000);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if ((connection && connection->state() == QAbstractSocket::UnconnectedState) || deadline.hasExpired())
            QCoreApplication::exit(0);
    });
    watch.start(20);
    QCoreApplication::exec();
    ASSERT_TRUE(runUntil([&] { return connection && connection->state() == QAbstractSocket::UnconnectedState; }));
    EXPECT_EQ(connection->readAll(), QByteArray());
    EXPECT_EQ(form->listen().isListening(), GetParam().listening);
    EXPECT_EQ(field(QsoField::CallSign), QStringLiteral("EA1BC"));
    EXPECT_EQ(QString::fromUtf8(readFile(dataFile("Sent.adi"))).count("<EOR>", Qt::CaseInsensitive), 0);
}

void turnListenOff(MainWindow &window)
{
    ListenSettings off = window.listen().settings();
    off.enabled = false;
    applyListenChoice(window, off);
}

void endTheProgram(MainWindow &)
{
    QCoreApplication::exit(0);
}

INSTANTIATE_TEST_SUITE_P(ListenWindow, ListenStopsASend,
                         ::testing::Values(StopCase{"ListenTurnedOff", turnListenOff, false},
                                           StopCase{"ProgramEnds", endTheProgram, true}),
                         [](const auto &info) { return std::string(info.param.name); });

struct AllowCase
{
    const char *name;
    QString allowed;
    bool ok;
    QString hint;
};

void PrintTo(const AllowCase &c, std::ostream *os) { *os << c.name; }

class ListenAllowBox : public ::testing::TestWithParam<AllowCase>
{
};

TEST_P(ListenAllowBox, TakesAddressesAndNetworks)
{
    ListenDialog dialog(ListenSettings{});
    EXPECT_EQ(dialog.allowedEdit()->text(), QString());
    dialog.addressEdit()->setText(QStringLiteral("224.0.0.1:2237"));
    dialog.allowedEdit()->setText(GetParam().allowed);
    EXPECT_EQ(dialog.okButton()->isEnabled(), GetParam().ok);
    EXPECT_EQ(dialog.hint(), GetParam().hint);
    if (dialog.settings())
        EXPECT_EQ(allowedSendersText(dialog.settings()->allowed), GetParam().allowed.simplified());
}

INSTANTIATE_TEST_SUITE_P(
    ListenWindow, ListenAllowBox,
    ::testing::Values(
        AllowCase{"ThisComputerOnly", "", true,
                  "A multicast group, shared with other listeners, joined on this computer."},
        AllowCase{"ANetwork", "192.168.1.0/24, 10.0.0.7", true,
                  "A multicast group, shared with other listeners, joined on every network."},
        AllowCase{"HostName", "shack-pc", false,
                  "Not a computer to take QSOs from: \"shack-pc\" is not an address such as 192.168.1.20 or "
                  "192.168.1.0/24."}),
    [](const auto &info) { return std::string(info.param.name); });

// The allowed computers are kept in Kartello.ini with the rest of the choice.
TEST_F(ListenWindow, AllowedSendersAreRemembered)
{
    start();
    setUpListening(*form);
    ListenSettings chosen;
    chosen.enabled = true;
    chosen.address.port = freeUdpPort();
    chosen.allowed = *parseAllowedSenders(QStringLiteral("192.168.1.0/24 10.0.0.7"));
    ASSERT_TRUE(applyListenChoice(*form, chosen));
    closeAndDestroy();
    IniFile state(stateFile());
    state.load();
    EXPECT_EQ(state.value("Listen", "Allow"), QStringLiteral("192.168.1.0/24, 10.0.0.7"));
    start();
    setUpListening(*form);
    EXPECT_EQ(form->listen().settings().allowed, chosen.allowed);
}

} // namespace
