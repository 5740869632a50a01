#include "ScriptedServer.h"
#include "TcpConnection.h"

#include <QBuffer>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using S = ScriptedServer;

void connectTo(TcpConnection &client, const ScriptedServer &server)
{
    client.host = QStringLiteral("127.0.0.1");
    client.port = server.port();
    client.readTimeoutMs = 20000;
    client.connect();
}

struct ReplyRow
{
    const char *name;
    std::string serverText;
    QList<int> allowed;
    QStringList lines;
    int code;
    QString error;   // empty: no error expected
};

void PrintTo(const ReplyRow &row, std::ostream *os) { *os << row.name; }

class ReplyReading : public ::testing::TestWithParam<ReplyRow>
{
};

TEST_P(ReplyReading, LinesAndCodeOfOneReply)
{
    const ReplyRow row = GetParam();
    ScriptedServer server({S::send(row.serverText)});
    TcpConnection client;
    connectTo(client, server);
    QString error;
    try {
        EXPECT_EQ(row.code, client.readReply(row.allowed));
    } catch (const ProtocolReplyError &e) {
        error = e.text();
        EXPECT_EQ(row.code, e.replyCode());
    }
    EXPECT_EQ(row.error, error);
    EXPECT_EQ(row.lines, client.replyLines());
    EXPECT_EQ(row.code, client.replyCode());
    client.disconnect();
}

const ReplyRow kReplyRows[] = {
    {"SingleLine", "220 ready\r\n", {220}, {"220 ready"}, 220, {}},
    {"MultiLine", "250-one\r\n250-two\r\n250 three\r\n", {}, {"250-one", "250-two", "250 three"}, 250, {}},
    {"EmptyLinesSkipped", "250-one\r\n\r\n  \r\n250 two\r\n", {}, {"250-one", "250 two"}, 250, {}},
    {"BlanksTrimmed", "  250 ok  \r\n", {}, {"250 ok"}, 250, {}},
    {"BareLineFeeds", "250-a\n250 b\n", {}, {"250-a", "250 b"}, 250, {}},
    {"OnlyOneCrRemoved", "250 a\r\r\n", {}, {"250 a"}, 250, {}},
    {"ShortLineEndsMultiLine", "250-a\r\nok\r\n", {}, {"250-a", "ok"}, 0, {}},
    {"CodeFromLastLine", "250-a\r\n250 b\r\n", {220}, {"250-a", "250 b"}, 250, "250 b"},
    {"PlusOk", "+OK fine\r\n", {1}, {"+OK fine"}, 1, {}},
    {"MinusErr", "-ERR bad\r\n", {1}, {"-ERR bad"}, 0, "-ERR bad"},
    {"NotANumber", "abc\r\n", {}, {"abc"}, 0, {}},
    {"SignedIsNoCode", "-05 x\r\n", {}, {"-05 x"}, 0, {}},
    {"TwoDigitsAndABlank", "25 x\r\n", {}, {"25 x"}, 0, {}},
    {"RefusedGreeting", "554 no service here \r\n", {220}, {"554 no service here"}, 554, "554 no service here"},
};

INSTANTIATE_TEST_SUITE_P(Replies, ReplyReading, ::testing::ValuesIn(kReplyRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct FailureRow
{
    const char *name;
    std::vector<S::Step> script;
    QString error;
    int readTimeoutMs = 20000;   // only a row about a silent server needs a short one
};

void PrintTo(const FailureRow &row, std::ostream *os) { *os << row.name; }

class ReadFailures : public ::testing::TestWithParam<FailureRow>
{
};

TEST_P(ReadFailures, ReadLineFailsWithTheOperatorsText)
{
    const FailureRow &row = GetParam();
    ScriptedServer server(row.script);
    TcpConnection client;
    connectTo(client, server);
    client.readTimeoutMs = row.readTimeoutMs;
    client.maxLineLength = 1000;
    QString error;
    try {
        client.readLine();
        client.readLine();
    } catch (const MailError &e) {
        error = e.text();
    }
    EXPECT_EQ(row.error, error);
    client.disconnect();
}

const FailureRow kFailureRows[] = {
    {"PeerClosed", {S::close()}, "Connection Closed Gracefully."},
    {"PeerClosedInsideALine", {S::send("250 partial"), S::close()}, "Connection Closed Gracefully."},
    {"PeerClosedAfterOneLine", {S::send("250 ok\r\n"), S::close()}, "Connection Closed Gracefully."},
    {"NeverAnswers", {}, "Socket Error # 10060\r\nConnection timed out.", 200},
    {"LineWithoutEnd", {S::send(std::string(1500, 'x'))},
     "The server sent a line longer than 1000 bytes without a line end."},
    {"LongLineWithEnd", {S::send(std::string(1500, 'x') + "\r\n")},
     "The server sent a line longer than 1000 bytes without a line end."},
};

INSTANTIATE_TEST_SUITE_P(Failures, ReadFailures, ::testing::ValuesIn(kFailureRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct HostileReplyRow
{
    const char *name;
    std::vector<S::Step> script;
    QString error;
};

void PrintTo(const HostileReplyRow &row, std::ostream *os) { *os << row.name; }

class HostileReplies : public ::testing::TestWithParam<HostileReplyRow>
{
};

// A server that never ends its reply neither fills the memory nor holds the session: the
// reply is bounded in lines and bytes, and must be whole within the reply limit.
TEST_P(HostileReplies, EndWithAClearText)
{
    const HostileReplyRow &row = GetParam();
    ScriptedServer server(row.script);
    TcpConnection client;
    connectTo(client, server);
    client.readTimeoutMs = 1000;
    QString error;
    try {
        client.readReply({220});
    } catch (const MailError &e) {
        error = e.text();
    }
    EXPECT_EQ(row.error, error);
    client.disconnect();
}

std::string repeated(const std::string &line, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += line;
    return all;
}

const HostileReplyRow kHostileReplyRows[] = {
    {"EndlessLines", {S::send(repeated("220-more\r\n", 2000))},
     "The server sent a reply of more than 512 lines or 65536 bytes; the connection was closed."},
    {"HugeLines", {S::send(repeated("220-" + std::string(30000, 'x') + "\r\n", 3))},
     "The server sent a reply of more than 512 lines or 65536 bytes; the connection was closed."},
    {"OneByteAtATime", {S::trickle("220 " + std::string(60, 'x') + "\r\n")},
     "Socket Error # 10060\r\nConnection timed out."},
};

INSTANTIATE_TEST_SUITE_P(Servers, HostileReplies, ::testing::ValuesIn(kHostileReplyRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TcpConnection, ServerLineIsBoundedAt64KiBByDefault)
{
    ScriptedServer server({S::send(std::string(3 * 32768, 'x'))});
    TcpConnection client;
    connectTo(client, server);
    client.readTimeoutMs = 20000;
    QString error;
    try {
        client.readLine();
    } catch (const ReplyLineTooLongError &e) {
        error = e.text();
    }
    EXPECT_EQ(QStringLiteral("The server sent a line longer than 65536 bytes without a line end."), error);
    client.disconnect();
}

TEST(TcpConnection, LineAtTheLimitIsRead)
{
    ScriptedServer server({S::send(std::string(1000, 'y') + "\r\n")});
    TcpConnection client;
    connectTo(client, server);
    client.maxLineLength = 1000;
    EXPECT_EQ(QString(1000, QLatin1Char('y')), client.readLine());
    client.disconnect();
}

TEST(TcpConnection, ConnectFailuresNameTheCause)
{
    struct Row
    {
        QString host;
        quint16 port;
        QString boundIp;
        QString error;
    };
    const Row rows[] = {
        {"127.0.0.1", unusedPort(), {}, "Socket Error # 10061\r\nConnection refused."},
        {"localhost", unusedPort(), {}, "Socket Error # 10061\r\nConnection refused."},
        {"127.0.0.1", unusedPort(), "192.0.2.1", "Socket Error # 10049\r\nCannot assign requested address."},
    };
    for (const Row &row : rows) {
        TcpConnection client;
        client.host = row.host;
        client.port = row.port;
        client.boundAddress = row.boundIp;
        QString error;
        try {
            client.connect();
        } catch (const MailError &e) {
            error = e.text();
        }
        EXPECT_EQ(row.error, error) << row.host.toStdString();
        EXPECT_FALSE(client.connected());
    }
}

TEST(TcpConnection, SecondConnectIsRefusedAndNotificationsComeOnce)
{
    ScriptedServer server({});
    TcpConnection client;
    int connects = 0;
    int disconnects = 0;
    client.onConnected = [&] { ++connects; };
    client.onDisconnected = [&] { ++disconnects; };
    connectTo(client, server);
    EXPECT_THROW(client.connect(), AlreadyConnectedError);
    EXPECT_TRUE(client.connected());
    client.disconnect();
    client.disconnect();
    EXPECT_FALSE(client.connected());
    EXPECT_EQ(1, connects);
    EXPECT_EQ(1, disconnects);
    EXPECT_THROW(client.writeLine(QStringLiteral("x")), ConnectionClosedError);
}

TEST(TcpConnection, StreamGoesOutWhole)
{
    QByteArray data;
    for (int i = 0; i < 100000; ++i)
        data.append(char('A' + i % 26));
    ScriptedServer server({});
    TcpConnection client;
    connectTo(client, server);
    QBuffer stream(&data);
    stream.open(QIODevice::ReadOnly);
    stream.seek(500);
    client.writeStream(stream);
    client.writeLines({QStringLiteral("one"), QStringLiteral("two")});
    client.write(QStringLiteral("Grüße"));
    client.disconnect();
    EXPECT_EQ(data.toStdString() + "one\r\ntwo\r\nGr\xC3\xBC\xC3\x9F" "e", server.received());
}

TEST(TcpConnection, StreamEndingEarlyIsNoDataToRead)
{
    QByteArray data(10, 'z');
    ScriptedServer server({});
    TcpConnection client;
    connectTo(client, server);
    QBuffer stream(&data);
    stream.open(QIODevice::ReadOnly);
    EXPECT_THROW(client.writeStream(stream, true, 20), NoDataToReadError);
    client.disconnect();
    EXPECT_EQ(data.toStdString(), server.received());
}

} // namespace

namespace {

// A listening socket whose accept queue is full: the kernel drops further connection
// attempts, so a connect to it neither succeeds nor fails until the caller gives up.
struct FullListener
{
    int listenFd = -1;
    std::vector<int> fillers;
    quint16 port = 0;

    FullListener()
    {
        listenFd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in sa{};
        sa.sin_family = AF_INET;
        sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listenFd, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
        ::listen(listenFd, 0);
        socklen_t len = sizeof sa;
        ::getsockname(listenFd, reinterpret_cast<sockaddr *>(&sa), &len);
        port = ntohs(sa.sin_port);
        for (int i = 0; i < 4; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa);
            fillers.push_back(fd);
        }
    }
    ~FullListener()
    {
        for (int fd : fillers)
            ::close(fd);
        ::close(listenFd);
    }
};

TEST(TcpConnection, ConnectGivesUpAtItsTimeLimit)
{
    FullListener listener;
    TcpConnection client;
    client.host = QStringLiteral("127.0.0.1");
    client.port = listener.port;
    client.connectTimeoutMs = 200;
    QString error;
    try {
        client.connect();
    } catch (const SocketError &e) {
        error = e.text();
    }
    EXPECT_EQ(QStringLiteral("Socket Error # 10060\r\nConnection timed out."), error);
    EXPECT_FALSE(client.connected());
}

} // namespace
