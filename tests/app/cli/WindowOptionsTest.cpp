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

struct DisplayCase {
    const char *name;
    QStringList args;
    const char *variable;   // set in the environment, nullptr: none
    const char *value;
    bool display;
};

void PrintTo(const DisplayCase &c, std::ostream *os) { *os << c.name; }

class WindowDisplay : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(WindowDisplay, IsFoundInTheEnvironmentOrTheOptions)
{
    const DisplayCase &c = GetParam();
    QProcessEnvironment env;
    env.insert(QStringLiteral("HOME"), QStringLiteral("/home/op"));
    if (c.variable)
        env.insert(QString::fromLatin1(c.variable), QString::fromLatin1(c.value));
    EXPECT_EQ(c.display, windowHasADisplay(c.args, env));
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, WindowDisplay,
    ::testing::Values(
        DisplayCase{"Nothing", {}, nullptr, nullptr, false},
        DisplayCase{"X11", {}, "DISPLAY", ":0", true},
        DisplayCase{"Wayland", {}, "WAYLAND_DISPLAY", "wayland-0", true},
        DisplayCase{"PlatformVariable", {}, "QT_QPA_PLATFORM", "offscreen", true},
        DisplayCase{"EmptyDisplay", {}, "DISPLAY", "", false},
        DisplayCase{"PlatformOption", {"-platform", "offscreen"}, nullptr, nullptr, true},
        DisplayCase{"PlatformJoined", {"--platform=vnc"}, nullptr, nullptr, true},
        DisplayCase{"DisplayOption", {"-display", ":1"}, nullptr, nullptr, true},
        DisplayCase{"OtherOptionsOnly", {"-style", "Fusion", "log.adi"}, nullptr, nullptr, false},
        DisplayCase{"PlatformWithoutItsValue", {"-platform"}, nullptr, nullptr, true}),
    [](const ::testing::TestParamInfo<DisplayCase> &info) { return std::string(info.param.name); });

} // namespace
