#include "CardsOptions.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// One command line; the expectations default to what "log.adi" alone gives.
struct OptionsCase {
    const char *name;
    QStringList args;
    const char *errorPart = "";         // a part of the error line; "" when it must succeed
    QStringList logs = {"log.adi"};
    CardFormat format = CardFormat::Jpg;
    const char *out = "";
    int jobs = 0;
    bool contactInfo = true;
    QStringList calls = {};
    const char *since = "";             // yyyyMMdd
    int rowTaken = 1, rowLeft = 0;      // a row the selection takes and one it leaves (0: none)
    bool help = false, version = false;
};

void PrintTo(const OptionsCase &c, std::ostream *os) { *os << c.name; }

class CardsOptionsParse : public ::testing::TestWithParam<OptionsCase> {};

TEST_P(CardsOptionsParse, ReadsTheCommandLine)
{
    const OptionsCase &c = GetParam();
    const ParsedCardsOptions parsed = parseCardsOptions(c.args);
    if (*c.errorPart) {
        EXPECT_TRUE(parsed.error.contains(QString::fromUtf8(c.errorPart)))
            << parsed.error.toStdString();
        return;
    }
    ASSERT_EQ(parsed.error.toStdString(), "");
    const CardsOptions &o = parsed.options;
    EXPECT_EQ(o.logs, c.logs);
    EXPECT_EQ(o.format, c.format);
    EXPECT_EQ(o.outFolder.toStdString(), c.out);
    EXPECT_EQ(o.jobs, c.jobs);
    EXPECT_EQ(o.contactInfo, c.contactInfo);
    EXPECT_EQ(o.selection.callSigns, c.calls);
    EXPECT_EQ(o.selection.since.toString("yyyyMMdd").toStdString(), c.since);
    EXPECT_TRUE(o.selection.rows.contains(c.rowTaken));
    if (c.rowLeft) {
        EXPECT_FALSE(o.selection.rows.contains(c.rowLeft));
    }
    EXPECT_EQ(o.help, c.help);
    EXPECT_EQ(o.version, c.version);
}

OptionsCase base(const char *name, QStringList args)
{
    OptionsCase c;
    c.name = name;
    c.args = std::move(args);
    return c;
}

OptionsCase failing(const char *name, QStringList args, const char *errorPart)
{
    OptionsCase c = base(name, std::move(args));
    c.errorPart = errorPart;
    return c;
}

std::vector<OptionsCase> cases()
{
    std::vector<OptionsCase> all;
    all.push_back(base("LogOnly", {"log.adi"}));
    OptionsCase c = base("TwoLogs", {"a.adi", "b.adi"});
    c.logs = {"a.adi", "b.adi"};
    all.push_back(c);
    c = base("FormatSeparate", {"log.adi", "--format", "pdf"});
    c.format = CardFormat::Pdf;
    all.push_back(c);
    c = base("FormatJoinedUpperCase", {"--format=PNG", "log.adi"});
    c.format = CardFormat::Png;
    all.push_back(c);
    c = base("FormatGif", {"log.adi", "--format", "gif"});
    c.format = CardFormat::Gif;
    all.push_back(c);
    c = base("OutFolder", {"log.adi", "--out", "/tmp/qsl"});
    c.out = "/tmp/qsl";
    all.push_back(c);
    c = base("Rows", {"log.adi", "--rows", "2-4,9"});
    c.rowTaken = 9;
    c.rowLeft = 5;
    all.push_back(c);
    c = base("RowsRepeatedAddUp", {"log.adi", "--rows", "2-4", "--rows=9"});
    c.rowTaken = 3;
    c.rowLeft = 5;
    all.push_back(c);
    c = base("RowsRepeatedKeepTheLaterToo", {"log.adi", "--rows", "2-4", "--rows=9"});
    c.rowTaken = 9;
    c.rowLeft = 1;
    all.push_back(c);
    c = base("CallRepeatedAddsUp", {"log.adi", "--call", "k1abc", "--call=DL1XYZ,K1ABC"});
    c.calls = {"K1ABC", "DL1XYZ"};
    all.push_back(c);
    c = base("DashIsStandardInput", {"-", "--format", "png"});
    c.logs = {"-"};
    c.format = CardFormat::Png;
    all.push_back(c);
    c = base("CallList", {"log.adi", "--call=k1abc,DL1XYZ"});
    c.calls = {"K1ABC", "DL1XYZ"};
    all.push_back(c);
    c = base("Since", {"log.adi", "--since", "20260102"});
    c.since = "20260102";
    all.push_back(c);
    c = base("Jobs", {"log.adi", "--jobs", "3"});
    c.jobs = 3;
    all.push_back(c);
    c = base("NoInfo", {"log.adi", "--no-info"});
    c.contactInfo = false;
    all.push_back(c);
    c = base("DashDashEndsOptions", {"--", "--odd-name.adi"});
    c.logs = {"--odd-name.adi"};
    all.push_back(c);
    c = base("HelpWithoutLog", {"--help"});
    c.logs = {};
    c.help = true;
    all.push_back(c);
    c = base("VersionWithoutLog", {"--version"});
    c.logs = {};
    c.version = true;
    all.push_back(c);
    c = base("LogsAmongOptions", {"a.adi", "--format", "png", "-", "--out", "o", "b.adi"});
    c.logs = {"a.adi", "-", "b.adi"};
    c.format = CardFormat::Png;
    c.out = "o";
    all.push_back(c);
    c = base("OneDashLongOption", {"log.adi", "-out", "/tmp/qsl"});
    c.out = "/tmp/qsl";
    all.push_back(c);
    c = base("LaterFormatCounts", {"log.adi", "--format", "pdf", "--format", "gif"});
    c.format = CardFormat::Gif;
    all.push_back(c);
    c = base("LaterSinceCounts", {"log.adi", "--since", "20260101", "--since=20260102"});
    c.since = "20260102";
    all.push_back(c);
    c = base("ShortVersion", {"-v"});
    c.logs = {};
    c.version = true;
    all.push_back(c);
    all.push_back(failing("NoLog", {"--format", "png"}, "no ADIF log"));
    all.push_back(failing("UnknownFormat", {"log.adi", "--format", "tiff"}, "unknown format \"tiff\""));
    all.push_back(failing("UnknownOption", {"log.adi", "--colour"}, "unknown option --colour"));
    all.push_back(failing("MissingValue", {"log.adi", "--out"}, "--out needs a value"));
    all.push_back(failing("EmptyOut", {"log.adi", "--out="}, "--out needs a folder"));
    all.push_back(failing("BadRows", {"log.adi", "--rows", "5-2"}, "--rows \"5-2\""));
    all.push_back(failing("BadDate", {"log.adi", "--since", "2026-01-02"}, "--since"));
    all.push_back(failing("JobsZero", {"log.adi", "--jobs", "0"}, "--jobs \"0\""));
    all.push_back(failing("JobsTooMany", {"log.adi", "--jobs", "65"}, "--jobs \"65\""));
    all.push_back(failing("JobsWord", {"log.adi", "--jobs", "two"}, "--jobs \"two\""));
    all.push_back(failing("EmptyCall", {"log.adi", "--call", ","}, "--call needs"));
    all.push_back(failing("EarlierBadSince", {"log.adi", "--since", "2026", "--since", "20260102"},
                          "--since \"2026\""));
    all.push_back(failing("UnknownWithValue", {"log.adi", "--colour=red"}, "unknown option --colour"));
    all.push_back(failing("FlagWithValue", {"log.adi", "--no-info=1"}, "--no-info takes no value"));
    return all;
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, CardsOptionsParse, ::testing::ValuesIn(cases()),
    [](const ::testing::TestParamInfo<OptionsCase> &info) { return std::string(info.param.name); });

TEST(CardsHelp, ListsEveryFormatAndAnExample)
{
    const QString help = cardsHelpText();
    for (const char *word : {"jpg", "gif", "png", "pdf", "--out", "--rows", "--call", "--since",
                             "--jobs", "--no-info", "--version", "Example:"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(word))) << word;
}

TEST(CardFormats, NamesAndExtensionsGoTogether)
{
    for (const char *name : {"jpg", "gif", "png", "pdf"}) {
        CardFormat format = CardFormat::Jpg;
        ASSERT_TRUE(cardFormatFromName(QString::fromUtf8(name), format)) << name;
        EXPECT_EQ(cardFormatExtension(format), QStringLiteral(".") + QString::fromUtf8(name));
    }
}

} // namespace
