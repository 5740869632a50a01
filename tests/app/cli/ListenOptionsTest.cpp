#include "ListenOptions.h"

#include <gtest/gtest.h>

#include "QtPrinters.h"

namespace {

struct OptionsCase
{
    const char *name;
    QStringList args;
    QString address;  // where it listens, when the arguments are right
    QString saveFolder;
    QString error;    // the start of the error, empty when none
    QString allowed = QString();  // allowedSendersText() of --allow
};

void PrintTo(const OptionsCase &c, std::ostream *os) { *os << c.name; }

class ListenArguments : public ::testing::TestWithParam<OptionsCase>
{
};

TEST_P(ListenArguments, AreReadOrRefused)
{
    const ParsedListenOptions parsed = parseListenOptions(GetParam().args);
    if (!GetParam().error.isEmpty()) {
        EXPECT_TRUE(parsed.error.startsWith(GetParam().error)) << parsed.error.toStdString();
    } else {
        EXPECT_EQ(parsed.error, QString());
        EXPECT_EQ(parsed.options.address.toString(), GetParam().address);
        EXPECT_EQ(parsed.options.saveFolder, GetParam().saveFolder);
        EXPECT_EQ(allowedSendersText(parsed.options.allowed), GetParam().allowed);
    }
}

const OptionsCase optionsCases[] = {
    {"NothingListensOnTheDefault", {}, "127.0.0.1:2237", "", ""},
    {"Port", {"--port", "2238"}, "127.0.0.1:2238", "", ""},
    {"PortWithAddress", {"--port=192.168.1.5:2237"}, "192.168.1.5:2237", "", ""},
    {"Group", {"--group", "224.0.0.1:2237"}, "224.0.0.1:2237", "", ""},
    {"GroupAndSave", {"--group", "239.255.0.1:2240", "--save", "cards"}, "239.255.0.1:2240", "cards", ""},
    {"PortAndGroup", {"--port", "2237", "--group", "224.0.0.1:2237"}, "", "", "--port and --group"},
    {"GroupGivenAsPort", {"--port", "224.0.0.1:2237"}, "", "", "--port wants"},
    {"UnicastGivenAsGroup", {"--group", "127.0.0.1:2237"}, "", "", "--group wants"},
    {"GroupWithoutPort", {"--group", "224.0.0.1"}, "", "", "--group wants"},
    {"PortOutOfRange", {"--port", "70000"}, "", "", "--port wants"},
    {"EmptySave", {"--save", ""}, "", "", "--save wants"},
    {"UnknownOption", {"--mail"}, "", "", "unknown option --mail"},
    {"AllowTwice", {"--allow", "192.168.1.0/24", "--allow", "10.0.0.7"}, "127.0.0.1:2237", "", "",
     "192.168.1.0/24, 10.0.0.7"},
    {"AllowList", {"--port", "0.0.0.0:2237", "--allow=10.0.0.7,10.0.0.8"}, "0.0.0.0:2237", "", "",
     "10.0.0.7, 10.0.0.8"},
    {"AllowHostName", {"--allow", "shack"}, "", "", "--allow wants ADDR or ADDR/PREFIX: \"shack\" is not"},
    {"AllowNothing", {"--allow", " "}, "", "", "--allow wants ADDR or ADDR/PREFIX: nothing given"},
    {"GroupOnAnInterface", {"--group", "224.0.0.1:2237", "--interface", "lo"}, "224.0.0.1:2237", "", ""},
    {"InterfaceWithoutGroup", {"--interface", "lo"}, "", "", "--interface is for a --group only"},
    {"StrayArgument", {"log.adi"}, "", "", "unexpected argument"},
};

INSTANTIATE_TEST_SUITE_P(ListenOptions, ListenArguments, ::testing::ValuesIn(optionsCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct LineCase
{
    const char *name;
    QString row;
    QString clientId;
    QString line;
};

void PrintTo(const LineCase &c, std::ostream *os) { *os << c.name; }

class ReceivedLines : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(ReceivedLines, StayOneLine)
{
    EXPECT_EQ(receivedQsoLine(GetParam().row, GetParam().clientId, QStringLiteral("received")), GetParam().line);
}

const LineCase lineCases[] = {
    {"Plain", " K1ABC, 12.08.2026, 1407, 14.076, 50, FT8, -12", "WSJT-X",
     " K1ABC, 12.08.2026, 1407, 14.076, 50, FT8, -12 <- WSJT-X: received"},
    {"LineEndInCall", "K1\nABC, , , , , , ", "JTDX", "K1?ABC, , , , , ,  <- JTDX: received"},
    {"EscapeInId", "K1ABC, , , , , , ", QStringLiteral("\x1b[2J") + QChar(0x85), "K1ABC, , , , , ,  <- ?[2J?: received"},
    {"LineSeparator", QStringLiteral("K1ABC") + QChar(0x2028), "WSJT-X", "K1ABC? <- WSJT-X: received"},
    {"LettersKept", QStringLiteral("Ä1ÖÜ"), QStringLiteral("JTDX é"), QStringLiteral("Ä1ÖÜ <- JTDX é: received")},
};

INSTANTIATE_TEST_SUITE_P(ListenOptions, ReceivedLines, ::testing::ValuesIn(lineCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
