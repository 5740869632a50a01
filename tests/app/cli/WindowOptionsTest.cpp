// What `kartello` with options but no command does: Qt's window options open the window,
// anything else is a wrong command line.
#include "CommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct WindowArgsCase {
    const char *name;
    QStringList args;
    const char *refused; // "" when the window opens
};

void PrintTo(const WindowArgsCase &c, std::ostream *os) { *os << c.name; }

class WindowArguments : public ::testing::TestWithParam<WindowArgsCase> {};

TEST_P(WindowArguments, OnlyTheWindowsOwnOptionsOpenIt)
{
    EXPECT_EQ(argumentTheWindowRefuses(GetParam().args).toStdString(), GetParam().refused);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, WindowArguments,
    ::testing::Values(
        WindowArgsCase{"Nothing", {}, ""},
        WindowArgsCase{"PlatformWithValue", {"-platform", "offscreen"}, ""},
        WindowArgsCase{"PlatformJoined", {"-platform=xcb"}, ""},
        WindowArgsCase{"DoubleDashStyle", {"--style", "Fusion", "-reverse"}, ""},
        WindowArgsCase{"ValueThatLooksLikeAnOption", {"-qwindowtitle", "-x"}, ""},
        WindowArgsCase{"GeometryAndDisplay", {"-display", ":1", "-geometry", "600x400"}, ""},
        WindowArgsCase{"UpperCaseV", {"-V"}, "-V"},
        WindowArgsCase{"Bogus", {"--bogus"}, "--bogus"},
        WindowArgsCase{"LetterX", {"-x"}, "-x"},
        WindowArgsCase{"UnknownAfterKnown", {"-platform", "offscreen", "--bogus"}, "--bogus"},
        WindowArgsCase{"WordAfterOptions", {"-reverse", "log.adi"}, "log.adi"},
        WindowArgsCase{"FlagGivenAValue", {"-reverse=yes"}, "-reverse=yes"},
        WindowArgsCase{"LoneDash", {"-reverse", "-"}, "-"},
        WindowArgsCase{"PlatformPrefixOnly", {"-plat", "x"}, "-plat"}),
    [](const ::testing::TestParamInfo<WindowArgsCase> &info) { return std::string(info.param.name); });

} // namespace
