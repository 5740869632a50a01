#include "ListenAddress.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

struct AddressCase
{
    const char *name;
    QString text;
    QString address;  // toString() of the result, empty when none
    bool group;
};

void PrintTo(const AddressCase &c, std::ostream *os) { *os << c.name; }

class ListenAddresses : public ::testing::TestWithParam<AddressCase>
{
};

TEST_P(ListenAddresses, AreReadFromText)
{
    const std::optional<ListenAddress> parsed = parseListenAddress(GetParam().text);
    EXPECT_EQ(parsed ? parsed->toString() : QString(), GetParam().address);
    EXPECT_EQ(parsed && parsed->isGroup(), GetParam().group);
}

const AddressCase addressCases[] = {
    {"PortAloneIsLoopback", "2237", "127.0.0.1:2237", false},
    {"UnicastAddress", " 192.168.1.5:2333 ", "192.168.1.5:2333", false},
    {"MulticastGroup", "224.0.0.1:2237", "224.0.0.1:2237", true},
    {"AdministeredGroup", "239.255.0.1:2238", "239.255.0.1:2238", true},
    {"PortZero", "127.0.0.1:0", "", false},
    {"PortTooLarge", "65536", "", false},
    {"PortWithSign", "+2237", "", false},
    {"HostName", "localhost:2237", "", false},
    {"ShortNumericAddress", "1:2237", "", false},
    {"IPv6", "::1:2237", "", false},
    {"NoPort", "224.0.0.1:", "", false},
    {"Empty", "", "", false},
};

INSTANTIATE_TEST_SUITE_P(ListenAddress, ListenAddresses, ::testing::ValuesIn(addressCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
