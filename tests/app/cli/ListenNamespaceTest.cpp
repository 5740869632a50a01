// `kartello listen` and a stranger on its network: two network namespaces joined by a veth pair
// stand for this computer (10.231.7.1) and another one (10.231.7.2). The test makes them and
// removes them again; it is skipped where namespaces cannot be made (no root).
#include "CardsRunner.h"
#include "ListenProcess.h"
#include "ProtocolSender.h"

#include <QProcess>
#include <gtest/gtest.h>

#include <string>
#include <unistd.h>

#include "QtPrinters.h"

namespace {

const QString kSender = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/listen/send_datagram.py");
const QString kHere = QStringLiteral("10.231.7.1");
const QString kThere = QStringLiteral("10.231.7.2");
const QString kGroup = QStringLiteral("224.0.0.1");

// Runs ip with args; false, with why, when it fails.
bool ip(const QStringList &args, QString *why = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("ip"), args);
    const bool done = process.waitForFinished(30000) && process.exitStatus() == QProcess::NormalExit
                      && process.exitCode() == 0;
    if (!done && why)
        *why = QStringLiteral("ip %1: %2%3")
                   .arg(args.join(' '), QString::fromLocal8Bit(process.readAllStandardError()).trimmed(),
                        process.errorString());
    return done;
}

// The two namespaces, "here" with kt0 and "there" with kt1, both with their loopback up.
class NetworkPair
{
public:
    NetworkPair()
        : m_here(QStringLiteral("kt-here-%1").arg(::getpid()))
        , m_there(QStringLiteral("kt-there-%1").arg(::getpid()))
    {
        for (const QString &name : {m_here, m_there}) {
            if (!ip({"netns", "add", name}, &m_error))
                return;
            m_made << name;
        }
        const QList<QStringList> steps = {
            {"link", "add", "name", "kt0", "netns", m_here, "type", "veth", "peer", "name", "kt1", "netns", m_there},
            {"-n", m_here, "addr", "add", kHere + "/24", "dev", "kt0"},
            {"-n", m_there, "addr", "add", kThere + "/24", "dev", "kt1"},
            {"-n", m_here, "link", "set", "kt0", "up"},
            {"-n", m_there, "link", "set", "kt1", "up"},
            {"-n", m_here, "link", "set", "lo", "up"},
            {"-n", m_there, "link", "set", "lo", "up"},
        };
        for (const QStringList &step : steps) {
            if (!ip(step, &m_error))
                return;
        }
        m_ready = true;
    }
    ~NetworkPair()
    {
        for (const QString &name : m_made)
            ip({"netns", "del", name});
    }

    bool ready() const { return m_ready; }
    QString error() const { return m_error; }
    QStringList inHere() const { return {"ip", "netns", "exec", m_here}; }

    // Sends the files as datagrams from inside the namespace; via: the address whose
    // interface a group's datagrams leave through.
    bool send(bool fromHere, const QString &to, quint16 port, const QStringList &files, const QString &via) const
    {
        QStringList args = {"netns", "exec", fromHere ? m_here : m_there, "python3", kSender, to, QString::number(port)};
        args += files;
        if (!via.isEmpty())
            args += {"--via", via};
        return ip(args);
    }

private:
    QString m_here;
    QString m_there;
    QStringList m_made;
    QString m_error;
    bool m_ready = false;
};

struct StrangerCase
{
    const char *name;
    bool group;
    QStringList args;   // besides --port or --group
    QString ownVia;     // where this computer's own QSO leaves for a group
    int refused;        // the stranger's datagrams counted as refused
    bool taken;         // the stranger's QSO is taken
};

void PrintTo(const StrangerCase &c, std::ostream *os) { *os << c.name; }

class ListenBesideAStranger : public ::testing::TestWithParam<StrangerCase>
{
};

TEST_P(ListenBesideAStranger, TakesQsosOnlyFromAllowedSenders)
{
    const StrangerCase &c = GetParam();
    NetworkPair network;
    if (!network.ready())
        GTEST_SKIP() << "cannot make two network namespaces joined by a veth pair, so datagrams from another "
                        "computer are not tried: "
                     << network.error().toStdString();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const quint16 port = 22370;
    const QString to = c.group ? kGroup : kHere;
    ListenProcess listen(runner, network.inHere());
    const QString where = QStringLiteral("%1:%2").arg(c.group ? kGroup : QStringLiteral("0.0.0.0")).arg(port);
    ASSERT_TRUE(listen.start(QStringList{c.group ? "--group" : "--port", where} + c.args)) << listen.err.toStdString();

    const QsoLoggedFields stranger = sampleQso(3);
    const QStringList strangerFiles = {
        runner.writeFile("stranger1.bin", qsoLoggedDatagram(stranger)),
        runner.writeFile("stranger2.bin", loggedAdifDatagram(stranger.id, loggedAdifText(stranger))),
    };
    ASSERT_TRUE(network.send(false, to, port, strangerFiles, c.group ? kThere : QString()));
    if (c.refused > 0)
        ASSERT_TRUE(listen.waitForError("datagrams from 10.231.7.2 are refused")) << listen.err.toStdString();
    const QsoLoggedFields own = sampleQso(4);
    const QString ownFile = runner.writeFile("own.bin", loggedAdifDatagram(own.id, loggedAdifText(own)));
    ASSERT_TRUE(network.send(true, to, port, {ownFile}, c.ownVia));
    ASSERT_TRUE(listen.waitForLines(c.taken ? 2 : 1)) << listen.err.toStdString();
    EXPECT_EQ(listen.stop(SIGTERM), 143);

    EXPECT_EQ(listen.out.count('\n'), c.taken ? 2 : 1) << listen.out.toStdString();
    EXPECT_TRUE(listen.out.contains("K4AB, 12.08.2026, 1404")) << listen.out.toStdString();
    EXPECT_EQ(listen.out.contains("K3AB"), c.taken) << listen.out.toStdString();
    EXPECT_TRUE(listen.err.contains(QStringLiteral("from senders not allowed: %1\n").arg(c.refused)))
        << listen.err.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ListenCommand, ListenBesideAStranger,
    ::testing::Values(
        StrangerCase{"AnyAddressRefusesAStranger", false, {}, "", 2, false},
        StrangerCase{"AllowedNetworkIsTaken", false, {"--allow", "10.231.7.0/24"}, "", 0, true},
        StrangerCase{"OtherAllowedSenderStillRefusesAStranger", false, {"--allow", "10.231.7.9"}, "", 2, false},
        StrangerCase{"GroupOnLoopbackHearsNoStranger", true, {}, "127.0.0.1", 0, false},
        StrangerCase{"GroupOnNamedInterfaceRefusesAStranger", true, {"--interface", "kt0"}, kHere, 2, false},
        StrangerCase{"GroupWithAllowedSenderIsTaken", true, {"--allow", "10.231.7.2"}, "127.0.0.1", 0, true}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
