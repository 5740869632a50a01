// The listener on real sockets of the loopback interface: datagrams written as a logging
// program writes them go in, QSO list rows come out.
#include "QsoListener.h"

#include "CoreApplication.h"
#include "ListRow.h"
#include "ProtocolSender.h"

#include <QDeadlineTimer>
#include <QSet>
#include <QStringList>
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "QtPrinters.h"

namespace {

constexpr qint64 HoldMs = 100;
const QHostAddress Loopback(QHostAddress::LocalHost);
const QHostAddress AllHostsGroup(QStringLiteral("224.0.0.1"));

QNetworkInterface loopbackInterface()
{
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (interface.flags().testFlag(QNetworkInterface::IsLoopBack))
            return interface;
    }
    return QNetworkInterface();
}

// A listener on the loopback interface that writes down the row of every QSO it gives.
class ListeningTest
{
public:
    explicit ListeningTest(bool group, quint16 onPort = 0)
    {
        ensureCoreApplication();
        ListenAddress address;
        address.address = group ? AllHostsGroup : Loopback;
        address.port = onPort != 0 ? onPort : freeUdpPort();
        to = address.address;
        QObject::connect(&listener, &QsoListener::qsoReceived, [this](const LoggedQso &qso) {
            rows << listRow(qso.record, QStringLiteral("100"));
            sources << int(qso.source);
        });
        listening = listener.listen(address, {loopbackInterface()});
        port = listener.localPort();
    }

    // Runs the event loop until count rows came, and then for one more wait so that a late
    // copy would show; false when they did not come within ten seconds.
    bool waitForRows(int count)
    {
        const QDeadlineTimer deadline(10000);
        while (rows.size() < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const QDeadlineTimer settle(3 * HoldMs);
        while (!settle.hasExpired())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
        return rows.size() >= count;
    }

    QsoListener listener{nullptr, HoldMs};
    QHostAddress to;
    quint16 port = 0;
    bool listening = false;
    QStringList rows;
    QList<int> sources;
};

struct DeliveryCase
{
    const char *name;
    bool group;
    std::function<QList<QByteArray>()> datagrams;
    QStringList rows;
    QList<int> sources;
};

void PrintTo(const DeliveryCase &c, std::ostream *os) { *os << c.name; }

class Delivery : public ::testing::TestWithParam<DeliveryCase>
{
};

TEST_P(Delivery, GivesEachQsoOnce)
{
    const DeliveryCase &c = GetParam();
    ListeningTest test(c.group);
    ASSERT_TRUE(test.listening) << test.listener.errorString().toStdString();
    ProtocolSender sender;
    for (const QByteArray &datagram : c.datagrams())
        ASSERT_TRUE(sender.send(datagram, test.to, test.port));
    test.waitForRows(int(c.rows.size()));
    EXPECT_EQ(test.rows, c.rows);
    EXPECT_EQ(test.sources, c.sources);
}

QList<QByteArray> pair(int n)
{
    const QsoLoggedFields qso = sampleQso(n);
    return {qsoLoggedDatagram(qso), loggedAdifDatagram(qso.id, loggedAdifText(qso))};
}

// Everything a network may bring besides logged QSOs, then one QSO.
QList<QByteArray> noiseThenQso()
{
    const QByteArray whole = qsoLoggedDatagram(sampleQso(3));
    QByteArray foreign = whole;
    foreign[3] = 'x';
    QByteArray hugeLength = messageHeader(12, QStringLiteral("WSJT-X"));
    hugeLength += QByteArray::fromHex("7ffffff0");
    return {heartbeatDatagram("WSJT-X"),
            statusDatagram("WSJT-X", "K1ABC"),
            decodeDatagram("WSJT-X", "CQ K1ABC FN42"),
            whole.first(whole.size() / 2),
            whole.first(11),
            foreign,
            hugeLength,
            QByteArray(20000, 'Q'),
            loggedAdifDatagram("WSJT-X", loggedAdifText(sampleQso(9)) + QByteArray(LargestMessageSize, ' ')),
            QByteArray(),
            loggedAdifDatagram("WSJT-X", "<eoh><eor>"),
            loggedAdifDatagram("WSJT-X", loggedAdifText(sampleQso(4)))};
}

const QString RowOfQso2 = QStringLiteral("  K2AB, 12.08.2026, 1402, 14.076, 50, FT8, -10");
const QString RowOfQso4 = QStringLiteral("  K4AB, 12.08.2026, 1404, 14.076, 50, FT8, -10");

const DeliveryCase deliveryCases[] = {
    {"UnicastPair", false, [] { return pair(2); }, {RowOfQso2}, {12}},
    {"GroupPair", true, [] { return pair(2); }, {RowOfQso2}, {12}},
    {"UnicastQsoLoggedAlone", false, [] { return QList<QByteArray>{pair(2).first()}; }, {RowOfQso2}, {5}},
    {"GroupAdifAlone", true, [] { return QList<QByteArray>{pair(2).last()}; }, {RowOfQso2}, {12}},
    {"UnicastPairTwice", false, [] { return pair(2) + pair(2); }, {RowOfQso2}, {12}},
    {"UnicastNoiseIgnored", false, noiseThenQso, {RowOfQso4}, {12}},
    {"GroupNoiseIgnored", true, noiseThenQso, {RowOfQso4}, {12}},
};

INSTANTIATE_TEST_SUITE_P(QsoListener, Delivery, ::testing::ValuesIn(deliveryCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A hundred QSOs logged in a burst, each as the pair of messages, sent from another thread
// while the listener reads: every one comes once.
class Burst : public ::testing::TestWithParam<bool>
{
};

TEST_P(Burst, LosesAndDoublesNone)
{
    ListeningTest test(GetParam());
    ASSERT_TRUE(test.listening) << test.listener.errorString().toStdString();
    constexpr int Qsos = 100;
    int sent = 0;
    std::thread sending([&] {
        ProtocolSender sender;
        for (int n = 0; n < Qsos; ++n) {
            for (const QByteArray &datagram : pair(n))
                sent += sender.send(datagram, test.to, test.port) ? 1 : 0;
        }
    });
    test.waitForRows(Qsos);
    sending.join();
    ASSERT_EQ(sent, 2 * Qsos);
    QSet<QString> distinct(test.rows.cbegin(), test.rows.cend());
    EXPECT_EQ(test.rows.size(), Qsos);
    EXPECT_EQ(distinct.size(), Qsos);
    EXPECT_EQ(test.listener.counts().duplicates, Qsos);
    EXPECT_EQ(test.listener.counts().refused, 0);
}

INSTANTIATE_TEST_SUITE_P(QsoListener, Burst, ::testing::Values(false, true),
                         [](const auto &info) { return std::string(info.param ? "Group" : "Unicast"); });

// A handler of a QSO may wait in an event loop of its own, as one that e-mails the card does:
// the QSOs that come meanwhile are given, and it may close the listener before it returns.
class HandlerWaits : public ::testing::TestWithParam<bool>
{
};

TEST_P(HandlerWaits, AndClosesTheListener)
{
    ListeningTest test(GetParam());
    ASSERT_TRUE(test.listening) << test.listener.errorString().toStdString();
    ProtocolSender sender;
    bool waited = false;
    qsizetype givenWhileWaiting = 0;
    QObject::connect(&test.listener, &QsoListener::qsoReceived, [&](const LoggedQso &) {
        if (waited)
            return;
        waited = true;
        for (const QByteArray &datagram : pair(2))
            sender.send(datagram, test.to, test.port);
        QEventLoop loop;
        const QDeadlineTimer deadline(10000);
        while (test.rows.size() < 2 && !deadline.hasExpired())
            loop.processEvents(QEventLoop::WaitForMoreEvents, 20);
        givenWhileWaiting = test.rows.size();
        test.listener.close();
    });
    ASSERT_TRUE(sender.send(pair(4).last(), test.to, test.port));
    test.waitForRows(2);
    EXPECT_EQ(test.rows, (QStringList{RowOfQso4, RowOfQso2}));
    EXPECT_EQ(givenWhileWaiting, 2);
    EXPECT_FALSE(test.listener.isListening());
}

INSTANTIATE_TEST_SUITE_P(QsoListener, HandlerWaits, ::testing::Values(false, true),
                         [](const auto &info) { return std::string(info.param ? "Group" : "Unicast"); });

// A second listener on a unicast port fails with a message instead of sharing it; a group's
// port is shared.
TEST(QsoListenerPorts, UnicastPortIsNotShared)
{
    ListeningTest first(false);
    ASSERT_TRUE(first.listening);
    QsoListener second;
    ListenAddress same;
    same.port = first.port;
    EXPECT_FALSE(second.listen(same));
    EXPECT_TRUE(second.errorString().startsWith(QStringLiteral("cannot listen on 127.0.0.1:")))
        << second.errorString().toStdString();
}

TEST(QsoListenerPorts, GroupPortIsShared)
{
    ListeningTest first(true);
    ListeningTest second(true, first.port);
    ASSERT_TRUE(first.listening && second.listening) << second.listener.errorString().toStdString();
    ProtocolSender sender;
    for (const QByteArray &datagram : pair(2))
        ASSERT_TRUE(sender.send(datagram, AllHostsGroup, first.port));
    first.waitForRows(1);
    second.waitForRows(1);
    EXPECT_EQ(first.rows, QStringList{RowOfQso2});
    EXPECT_EQ(second.rows, QStringList{RowOfQso2});
}

} // namespace
