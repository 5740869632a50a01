#include "PickLists.h"

#include <gtest/gtest.h>

namespace {

struct NameRow {
    const char *label;
    const char *prefix;
    int n;
    const char *expected;
};

class PickListControlNames : public ::testing::TestWithParam<NameRow> {};

TEST_P(PickListControlNames, RadiosPlainButtonsTwoDigits)
{
    const NameRow &row = GetParam();
    EXPECT_EQ(QString::fromLatin1(row.expected).toStdString(),
              pickListControlName(QString::fromLatin1(row.prefix), row.n).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Rule, PickListControlNames,
    ::testing::Values(NameRow{"FreqFirst", "EBFreq", 1, "EBFreq01"},
                      NameRow{"FreqLast", "EBFreq", 14, "EBFreq14"},
                      NameRow{"SignalNinth", "EBSig", 9, "EBSig09"},
                      NameRow{"SignalTenth", "EBSig", 10, "EBSig10"},
                      NameRow{"PowerFirst", "RBPower", 1, "RBPower1"},
                      NameRow{"PowerNinth", "RBPower", 9, "RBPower9"},
                      NameRow{"ModeEighth", "RBMode", 8, "RBMode8"}),
    [](const auto &info) { return std::string(info.param.label); });

struct CaptionRow {
    const char *label;
    int list;                 // index into pickLists()
    QStringList lines;
    int expectedCount;        // controls that get a caption
    const char *lastControl;  // the last control named
    const char *lastCaption;
};

class PickListCaptions : public ::testing::TestWithParam<CaptionRow> {};

TEST_P(PickListCaptions, LinesInOrderButtonsClearedRadiosKept)
{
    const CaptionRow &row = GetParam();
    const QList<PickListCaption> captions = pickListCaptions(pickLists()[row.list], row.lines);
    ASSERT_EQ(row.expectedCount, captions.size());
    for (int i = 0; i < captions.size() && i < row.lines.size(); ++i)
        EXPECT_EQ(row.lines[i].toStdString(), captions[i].caption.toStdString());
    if (captions.isEmpty())
        return;
    EXPECT_EQ(std::string(row.lastControl), captions.last().control.toStdString());
    EXPECT_EQ(std::string(row.lastCaption), captions.last().caption.toStdString());
}

const QStringList kTwo = {"first", "second"};
const QStringList kTwenty = [] {
    QStringList lines;
    for (int i = 1; i <= 20; ++i)
        lines << QStringLiteral("line %1").arg(i);
    return lines;
}();

INSTANTIATE_TEST_SUITE_P(
    Rule, PickListCaptions,
    ::testing::Values(
        // Buttons past the end of the file are emptied.
        CaptionRow{"FreqShortFile", 0, kTwo, 14, "EBFreq14", ""},
        CaptionRow{"SignalShortFile", 3, kTwo, 16, "EBSig16", ""},
        CaptionRow{"FreqEmptyFile", 0, {}, 14, "EBFreq14", ""},
        // Radios past the end keep their caption: they are not named at all.
        CaptionRow{"PowerShortFile", 1, kTwo, 2, "RBPower2", "second"},
        CaptionRow{"ModeEmptyFile", 2, {}, 0, "", ""},
        // Lines past the last control are ignored.
        CaptionRow{"FreqLongFile", 0, kTwenty, 14, "EBFreq14", "line 14"},
        CaptionRow{"PowerLongFile", 1, kTwenty, 9, "RBPower9", "line 9"},
        CaptionRow{"ModeLongFile", 2, kTwenty, 8, "RBMode8", "line 8"},
        CaptionRow{"SignalLongFile", 3, kTwenty, 16, "EBSig16", "line 16"}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(PickLists, FilesInStartUpOrder)
{
    std::vector<std::string> files;
    for (const PickList &list : pickLists())
        files.emplace_back(list.file);
    EXPECT_EQ((std::vector<std::string>{"Freq.txt", "Power.txt", "Mode.txt", "Signal.txt"}), files);
}

} // namespace
