#include "MailErrors.h"
#include "SocketLayer.h"
#include "TestNames.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <netdb.h>

namespace {

struct ErrnoRow
{
    int err;
    int code;
    const char *text;
};

void PrintTo(const ErrnoRow &row, std::ostream *os) { *os << "errno " << row.err; }

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

// The resolver of these tests: the names below and address literals, answered on this
// machine; every other name is unknown. No test asks the system's resolver, whose questions
// would leave the machine.
struct KnownHost
{
    const char *name;
    const char *address;
};

const KnownHost kKnownHosts[] = {{"mail.example.test", "192.0.2.25"}};
int g_lookups = 0;

int testLookup(const char *host, const char *service, const addrinfo *hints, addrinfo **found)
{
    ++g_lookups;
    addrinfo numeric = *hints;
    numeric.ai_flags |= AI_NUMERICHOST;
    for (const KnownHost &known : kKnownHosts)
        if (std::strcmp(known.name, host) == 0)
            return ::getaddrinfo(known.address, service, &numeric, found);
    const int rc = ::getaddrinfo(host, service, &numeric, found);
    return rc == 0 ? 0 : EAI_NONAME;
}

// Installs the tests' resolver for one test.
class TestResolver : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_lookups = 0;
        setHostLookup(testLookup);
    }
    void TearDown() override { setHostLookup(nullptr); }
};

struct HostRow
{
    const char *host;
    bool dotted;
    const char *resolved;   // nullptr: the lookup must fail
    int lookups;            // times the resolver is asked
};

void PrintTo(const HostRow &row, std::ostream *os) { *os << row.host; }

class HostResolution : public TestResolver, public ::testing::WithParamInterface<HostRow>
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
            // The resolver's own number and text in the usual wrapper.
            EXPECT_EQ(e.code(), EAI_NONAME);
            EXPECT_EQ(QStringLiteral("Socket Error # -2\r\nName or service not known"), e.text());
        }
    }
    EXPECT_EQ(g_lookups, row.lookups);
}

INSTANTIATE_TEST_SUITE_P(
    Hosts, HostResolution,
    ::testing::Values(HostRow{"LOCALHOST", false, "127.0.0.1", 0},
                      HostRow{"LocalHost", false, "127.0.0.1", 0},
                      HostRow{"10.1.2.3", true, "10.1.2.3", 0},
                      HostRow{"255.255.255.255", true, "255.255.255.255", 0},
                      HostRow{"0.0.0.0", true, "0.0.0.0", 0},
                      HostRow{"256.1.1.1", false, nullptr, 1},
                      HostRow{"1.2.3", false, "1.2.0.3", 1},
                      HostRow{"1.2.3.4.5", false, nullptr, 1},
                      HostRow{"1..3.4", false, nullptr, 1},
                      HostRow{"mail.example.test", false, "192.0.2.25", 1},
                      HostRow{"no-such-host.invalid", false, nullptr, 1}),
    [](const auto &info) { return testName(info.param.host); });

// Every host of the mail settings goes through the same resolver, the unknown one included.
TEST_F(TestResolver, UnknownHostOfEveryAddressSaysWhy)
{
    try {
        resolveHostAddresses(QStringLiteral("no-such-host.invalid"), 587);
        ADD_FAILURE() << "lookup succeeded";
    } catch (const SocketError &e) {
        EXPECT_EQ(QStringLiteral("Socket Error # -2\r\nName or service not known"), e.text());
    }
    QStringList texts;
    for (const HostAddress &a : resolveHostAddresses(QStringLiteral("mail.example.test"), 587))
        texts << a.text();
    EXPECT_EQ(texts, QStringList{"192.0.2.25"});
    EXPECT_EQ(g_lookups, 2);
}

struct ResolverTextRow
{
    int code;
    const char *text;
};

void PrintTo(const ResolverTextRow &row, std::ostream *os) { *os << "resolver code " << row.code; }

class ResolverTexts : public ::testing::TestWithParam<ResolverTextRow>
{
};

TEST_P(ResolverTexts, StandInTheSecondLine)
{
    EXPECT_EQ(QString::fromLatin1(GetParam().text), SocketError(GetParam().code).text());
}

INSTANTIATE_TEST_SUITE_P(
    Resolver, ResolverTexts,
    ::testing::Values(ResolverTextRow{EAI_NONAME, "Socket Error # -2\r\nName or service not known"},
                      ResolverTextRow{EAI_AGAIN, "Socket Error # -3\r\nTemporary failure in name resolution"},
                      ResolverTextRow{EAI_FAIL, "Socket Error # -4\r\nNon-recoverable failure in name resolution"}),
    [](const auto &info) { return "code" + std::to_string(-info.param.code); });

TEST(SocketLayer, LocalHostNameIsTheMachines)
{
    const QString name = localHostName();
    EXPECT_FALSE(name.isEmpty());
    EXPECT_LE(name.size(), 250);
}

} // namespace
