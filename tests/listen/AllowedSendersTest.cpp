// Whose datagrams the listener takes: this computer's own addresses, and the networks the
// operator allows.
#include "AllowedSenders.h"

#include <QStringList>
#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

struct ParseCase
{
    const char *name;
    QString text;
    bool valid;
    QString written;  // allowedSendersText() of the list read
};

void PrintTo(const ParseCase &c, std::ostream *os) { *os << c.name; }

class AllowList : public ::testing::TestWithParam<ParseCase>
{
};

TEST_P(AllowList, IsReadOrRefused)
{
    QString why;
    const auto networks = parseAllowedSenders(GetParam().text, &why);
    ASSERT_EQ(networks.has_value(), GetParam().valid) << why.toStdString();
    if (networks)
        EXPECT_EQ(allowedSendersText(*networks), GetParam().written);
    else
        EXPECT_TRUE(why.contains("is not an address")) << why.toStdString();
}

const ParseCase parseCases[] = {
    {"Empty", "", true, ""},
    {"OneComputer", "192.168.1.20", true, "192.168.1.20"},
    {"Network", "192.168.1.0/24", true, "192.168.1.0/24"},
    {"SeveralWithCommasAndBlanks", " 10.0.0.7,192.168.1.0/24  fd00::/8 ", true, "10.0.0.7, 192.168.1.0/24, fd00::/8"},
    {"FullPrefixIsOneComputer", "10.0.0.7/32", true, "10.0.0.7"},
    {"Everyone", "0.0.0.0/0", true, "0.0.0.0/0"},
    {"ShortNumberIsNoAddress", "10", false, ""},
    {"HexNumberIsNoAddress", "0x0a000001", false, ""},
    {"PrefixTooLong", "10.0.0.0/33", false, ""},
    {"PrefixNotANumber", "10.0.0.0/x", false, ""},
    {"SignedPrefix", "10.0.0.0/+8", false, ""},
    {"EmptyPrefix", "10.0.0.0/", false, ""},
    {"HostName", "shack.local", false, ""},
    {"OneBadAmongGood", "10.0.0.7, nonsense", false, ""},
};

INSTANTIATE_TEST_SUITE_P(AllowedSenders, AllowList, ::testing::ValuesIn(parseCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct SenderCase
{
    const char *name;
    QString allowed;
    QString sender;
    bool accepted;
};

void PrintTo(const SenderCase &c, std::ostream *os) { *os << c.name; }

class Senders : public ::testing::TestWithParam<SenderCase>
{
};

// This computer is 192.168.1.5 and fe80::1 here, whatever its interfaces say.
QList<QHostAddress> ownAddresses()
{
    return {QHostAddress(QStringLiteral("192.168.1.5")), QHostAddress(QStringLiteral("fe80::1%eth0")),
            QHostAddress(QHostAddress::LocalHost)};
}

TEST_P(Senders, AreTakenOnlyWhenAllowed)
{
    SenderCheck check(*parseAllowedSenders(GetParam().allowed), ownAddresses);
    EXPECT_EQ(check.accepts(QHostAddress(GetParam().sender), 0), GetParam().accepted);
}

const SenderCase senderCases[] = {
    {"Loopback", "", "127.0.0.1", true},
    {"OtherLoopbackAddress", "", "127.0.1.1", true},
    {"LoopbackSix", "", "::1", true},
    {"OwnAddress", "", "192.168.1.5", true},
    {"OwnAddressMappedToSix", "", "::ffff:192.168.1.5", true},
    {"OwnLinkLocal", "", "fe80::1%eth0", true},
    {"NeighbourIsAStranger", "", "192.168.1.20", false},
    {"AllowedNeighbour", "192.168.1.20", "192.168.1.20", true},
    {"OtherNeighbourOfAnAllowedOne", "192.168.1.20", "192.168.1.21", false},
    {"InAllowedNetwork", "192.168.1.0/24", "192.168.1.200", true},
    {"OutsideAllowedNetwork", "192.168.1.0/24", "192.168.2.1", false},
    {"MappedInAllowedNetwork", "192.168.1.0/24", "::ffff:192.168.1.200", true},
    {"NoSender", "0.0.0.0/0", "", false},
};

INSTANTIATE_TEST_SUITE_P(AllowedSenders, Senders, ::testing::ValuesIn(senderCases),
                         [](const auto &info) { return std::string(info.param.name); });

// A computer's addresses change (DHCP, a VPN); a sender not among them has them read again,
// but not for every datagram of a flood.
TEST(SenderCheck, ReadsOwnAddressesAgainAtMostOnceASecond)
{
    int reads = 0;
    QList<QHostAddress> own = {QHostAddress(QStringLiteral("192.168.1.5"))};
    SenderCheck check({}, [&] {
        ++reads;
        return own;
    });
    const QHostAddress stranger(QStringLiteral("10.0.0.9"));
    EXPECT_FALSE(check.accepts(stranger, 0));
    EXPECT_FALSE(check.accepts(stranger, 999));
    EXPECT_EQ(reads, 1);
    own << stranger;
    EXPECT_FALSE(check.accepts(stranger, 999));
    EXPECT_TRUE(check.accepts(stranger, 1000));
    EXPECT_EQ(reads, 2);
    EXPECT_TRUE(check.accepts(stranger, 1001));
    EXPECT_EQ(reads, 2);
}

} // namespace
