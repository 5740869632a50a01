#include "MailErrors.h"
#include "SocketLayer.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <netdb.h>

namespace {

struct ErrnoRow
{
    int err;
    int code;
    const char *text;
};

class SocketErrorText : public ::testing::TestWithParam<ErrnoRow>
{
};

TEST_P(SocketErrorText, SystemErrorBecomesTheOperatorsText)
{
    const ErrnoRow row = GetParam();
    EXPECT_EQ(row.code, socketCodeFromErrno(row.err));
    EXPECT_EQ(QString::fromLatin1(row.text), SocketError(socketCodeFromErrno(row.err)).text());
}

INSTANTIATE_TEST_SUITE_P(
    Errno, SocketErrorText,
    ::testing::Values(
        ErrnoRow{ECONNREFUSED, 10061, "Socket Error # 10061\r\nConnection refused."},
        ErrnoRow{ETIMEDOUT, 10060, "Socket Error # 10060\r\nConnection timed out."},
        ErrnoRow{ECONNRESET, 10054, "Socket Error # 10054\r\nConnection reset by peer."},
        ErrnoRow{EHOSTUNREACH, 10065, "Socket Error # 10065\r\nNo route to host."},
        ErrnoRow{ENETUNREACH, 10051, "Socket Error # 10051\r\nNetwork is unreachable."},
        ErrnoRow{EADDRNOTAVAIL, 10049, "Socket Error # 10049\r\nCannot assign requested address."},
        ErrnoRow{EWOULDBLOCK, 10035, "Socket Error # 10035\r\nOperation would block. "},
        ErrnoRow{ENOTEMPTY, 10066, "Socket Error # 10066\r\nDirectory not empty"},
        ErrnoRow{EPIPE, 10058, "Socket Error # 10058\r\nCannot send or receive after socket is closed."},
        ErrnoRow{ENOMEM, ENOMEM, "Socket Error # 12\r\n"}),
    [](const auto &info) { return "code" + std::to_string(info.param.code); });

struct HostRow
{
    const char *host;
    bool dotted;
    const char *resolved;   // nullptr: the lookup must fail
};

class HostResolution : public ::testing::TestWithParam<HostRow>
{
};

TEST_P(HostResolution, LocalhostAndDottedAddressesNeedNoLookup)
{
    const HostRow row = GetParam();
    const QString host = QString::fromLatin1(row.host);
    EXPECT_EQ(row.dotted, isDottedIPv4(host));
    if (row.resolved) {
        EXPECT_EQ(QString::fromLatin1(row.resolved), resolveHostAddress(host));
    } else {
        try {
            resolveHostAddress(host);
            ADD_FAILURE() << "lookup of " << row.host << " succeeded";
        } catch (const SocketError &e) {
            // The resolver's own number, which no table row describes.
            EXPECT_EQ(QStringLiteral("Socket Error # %1\r\n").arg(e.code()), e.text());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, HostResolution,
    ::testing::Values(HostRow{"LOCALHOST", false, "127.0.0.1"},
                      HostRow{"LocalHost", false, "127.0.0.1"},
                      HostRow{"10.1.2.3", true, "10.1.2.3"},
                      HostRow{"255.255.255.255", true, "255.255.255.255"},
                      HostRow{"0.0.0.0", true, "0.0.0.0"},
                      HostRow{"256.1.1.1", false, nullptr},
                      HostRow{"1.2.3", false, "1.2.0.3"},
                      HostRow{"1.2.3.4.5", false, nullptr},
                      HostRow{"1..3.4", false, nullptr},
                      HostRow{"no-such-host.invalid", false, nullptr}),
    [](const auto &info) { return testName(info.param.host); });

TEST(SocketLayer, RunsWhileAComponentHoldsIt)
{
    EXPECT_FALSE(SocketLayer::isRunning());
    {
        auto first = SocketLayer::acquire();
        auto second = SocketLayer::acquire();
        EXPECT_EQ(first.get(), second.get());
        first.reset();
        EXPECT_TRUE(SocketLayer::isRunning());
    }
    EXPECT_FALSE(SocketLayer::isRunning());
}

TEST(SocketLayer, LocalHostNameIsTheMachines)
{
    const QString name = localHostName();
    EXPECT_FALSE(name.isEmpty());
    EXPECT_LE(name.size(), 250);
}

} // namespace
