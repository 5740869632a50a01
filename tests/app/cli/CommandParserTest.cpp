// The command-line habits every subcommand shares: how a wrong word is named, and what the
// parser leaves as arguments.
#include "CommandText.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct WordCase
{
    const char *name;
    QStringList args;
    QString error;          // wordError(); empty when the words are good
    QStringList arguments;  // what is left as arguments when they are good
};

void PrintTo(const WordCase &c, std::ostream *os) { *os << c.name; }

class CommandWords : public ::testing::TestWithParam<WordCase>
{
};

TEST_P(CommandWords, WrongOnesAreNamedAsTyped)
{
    CommandParser command(QStringLiteral("test"), QStringLiteral("A command to test."));
    command.parser().addOptions({{QStringLiteral("out"), QStringLiteral("A folder."), QStringLiteral("DIR")},
                                 {{QStringLiteral("n"), QStringLiteral("dry-run")}, QStringLiteral("A flag.")}});
    const bool good = command.parse(GetParam().args);
    EXPECT_EQ(GetParam().error, good ? QString() : command.wordError());
    if (good) {
        EXPECT_EQ(GetParam().arguments, command.parser().positionalArguments());
    }
}

const WordCase wordCases[] = {
    {"ArgumentsAmongOptions", {"a.adi", "--out", "o", "-", "-n", "b.adi"}, "", {"a.adi", "-", "b.adi"}},
    {"OneDashLongOption", {"-out", "o", "-dry-run", "a.adi"}, "", {"a.adi"}},
    {"ValueLooksLikeAnOption", {"--out", "--dry-run"}, "", {}},
    {"DashDashEndsOptions", {"--", "--out", "-n"}, "", {"--out", "-n"}},
    {"UnknownLong", {"a.adi", "--colour"}, "unknown option --colour", {}},
    {"UnknownWithValue", {"--colour=red", "a.adi"}, "unknown option --colour", {}},
    {"UnknownOneDash", {"-colour"}, "unknown option -colour", {}},
    {"UnknownBeforeMissingValue", {"-x", "--out"}, "unknown option -x", {}},
    {"MissingValue", {"a.adi", "--out"}, "--out needs a value", {}},
    {"MissingValueOneDash", {"-out"}, "-out needs a value", {}},
    {"FlagWithValue", {"--dry-run=yes"}, "--dry-run takes no value", {}},
    {"ShortFlagWithValue", {"a.adi", "-n=1"}, "-n takes no value", {}},
    {"HelpAllIsNoOption", {"--help-all"}, "unknown option --help-all", {}},
};

INSTANTIATE_TEST_SUITE_P(CommandParser, CommandWords, ::testing::ValuesIn(wordCases),
                         [](const auto &info) { return std::string(info.param.name); });

struct AskCase
{
    const char *name;
    QStringList args;
    bool help;
    bool version;
};

void PrintTo(const AskCase &c, std::ostream *os) { *os << c.name; }

class CommandAsks : public ::testing::TestWithParam<AskCase>
{
};

TEST_P(CommandAsks, HelpAndVersionInEverySpelling)
{
    CommandParser command(QStringLiteral("test"), QStringLiteral("A command to test."));
    ASSERT_TRUE(command.parse(GetParam().args));
    EXPECT_EQ(GetParam().help, command.helpAsked());
    EXPECT_EQ(GetParam().version, command.versionAsked());
}

const AskCase askCases[] = {
    {"Nothing", {"a.adi"}, false, false},
    {"Help", {"--help"}, true, false},
    {"ShortHelp", {"a.adi", "-h"}, true, false},
    {"Version", {"--version"}, false, true},
    {"ShortVersion", {"-v"}, false, true},
    {"HelpAfterDashDashIsALog", {"--", "--help"}, false, false},
};

INSTANTIATE_TEST_SUITE_P(CommandParser, CommandAsks, ::testing::ValuesIn(askCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CommandHelp, NamesTheCommandAndEveryOption)
{
    CommandParser command(QStringLiteral("test"), QStringLiteral("A command to test."));
    command.parser().addOption({QStringLiteral("out"), QStringLiteral("A folder."), QStringLiteral("DIR")});
    const QString help = command.helpText();
    EXPECT_TRUE(help.startsWith("Usage: kartello test [options]\nA command to test.\n")) << help.toStdString();
    for (const char *line : {"  -h, --help ", "  -v, --version ", "  --out <DIR> "})
        EXPECT_TRUE(help.contains(QString::fromLatin1(line))) << line;
}

struct CountCase
{
    const char *name;
    QStringList args;
    int number;     // when good
    QString error;
};

void PrintTo(const CountCase &c, std::ostream *os) { *os << c.name; }

class CommandCounts : public ::testing::TestWithParam<CountCase>
{
};

TEST_P(CommandCounts, FromOneToTheMost)
{
    CommandParser command(QStringLiteral("test"), QStringLiteral("A command to test."));
    const QCommandLineOption jobs(QStringLiteral("jobs"), QStringLiteral("Workers."), QStringLiteral("N"));
    command.parser().addOption(jobs);
    ASSERT_TRUE(command.parse(GetParam().args));
    int number = 0;
    EXPECT_EQ(GetParam().error, readCount(command.parser(), jobs, 64, number));
    if (GetParam().error.isEmpty()) {
        EXPECT_EQ(GetParam().number, number);
    }
}

const CountCase countCases[] = {
    {"NotGiven", {}, 0, ""},
    {"One", {"--jobs", "1"}, 1, ""},
    {"Most", {"--jobs=64"}, 64, ""},
    {"LastCounts", {"--jobs", "3", "--jobs", "5"}, 5, ""},
    {"Zero", {"--jobs", "0"}, 0, "--jobs \"0\" is not a number from 1 to 64"},
    {"TooMany", {"--jobs", "65"}, 0, "--jobs \"65\" is not a number from 1 to 64"},
    {"Word", {"--jobs", "two"}, 0, "--jobs \"two\" is not a number from 1 to 64"},
    {"EarlierBadOne", {"--jobs", "x", "--jobs", "2"}, 0, "--jobs \"x\" is not a number from 1 to 64"},
};

INSTANTIATE_TEST_SUITE_P(CommandParser, CommandCounts, ::testing::ValuesIn(countCases),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
