#include "TextStyles.h"

#include <gtest/gtest.h>

using namespace card;

namespace {

std::string testName(const char *text)
{
    std::string out;
    for (const char *c = text; *c; ++c)
        out += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return out;
}

} // namespace

// ---- The eleven fixed colours: read from the radio's name in every group ----

struct FixedColourRow {
    const char *caption;
    const char *suffix;
    int colour;
};

class FixedColourRadios : public ::testing::TestWithParam<FixedColourRow> {};

TEST_P(FixedColourRadios, ColourComesFromTheNameInEveryGroup)
{
    const FixedColourRow &row = GetParam();
    for (const char *prefix : {"CSF", "NF", "IF"}) {
        const QString name = QString::fromLatin1(prefix) + "Color" + row.suffix;
        EXPECT_EQ(row.colour, colourFromRadioName(name, prefix).value_or(-1)) << prefix;
    }
    // The window shows the radio with this caption for this suffix.
    bool found = false;
    for (const FixedColour &c : fixedColours())
        if (QLatin1String(c.suffix) == QLatin1String(row.suffix)) {
            EXPECT_STREQ(row.caption, c.caption);
            found = true;
        }
    EXPECT_TRUE(found);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FixedColourRadios,
    ::testing::Values(FixedColourRow{"Light Blue", "00FF8200", 16744960},
                      FixedColourRow{"Medium Blue", "00FF0000", 16711680},
                      FixedColourRow{"Navy", "00800000", 8388608},
                      FixedColourRow{"Light Gray", "00C6C6C6", 13027014},
                      FixedColourRow{"Medium Gray", "00848484", 8684676},
                      FixedColourRow{"Maroon", "00000080", 128},
                      FixedColourRow{"Red", "000000FF", 255},
                      FixedColourRow{"Orange", "0042B2FF", 4371199},
                      FixedColourRow{"Yellow", "0000FFFF", 65535},
                      FixedColourRow{"White", "00FFFFFF", 16777215},
                      FixedColourRow{"Black", "00000000", 0}),
    [](const auto &info) { return testName(info.param.caption); });

TEST(FixedColourRadios, ElevenColoursPerGroup)
{
    EXPECT_EQ(11u, fixedColours().size());
}

// A radio of another group, or a name without eight digits, gives no colour.
struct ForeignNameRow {
    const char *label;
    const char *name;
    const char *prefix;
};

class ForeignColourNames : public ::testing::TestWithParam<ForeignNameRow> {};

TEST_P(ForeignColourNames, GiveNoColour)
{
    EXPECT_FALSE(colourFromRadioName(GetParam().name, GetParam().prefix).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ForeignColourNames,
    ::testing::Values(ForeignNameRow{"OtherGroup", "CSFColor000000FF", "NF"},
                      ForeignNameRow{"ShortDigits", "NFColor00FF", "NF"},
                      ForeignNameRow{"NotHex", "IFColor00GG0000", "IF"},
                      ForeignNameRow{"FontRadio", "IFName3", "IF"}),
    [](const auto &info) { return std::string(info.param.label); });

// ---- The fifty-four "Other" items: the colour is read from characters 49 to 57 ----

struct OtherItemRow {
    int index;
    const char *name;
    int colour;   // as the item's digits write it, blue in the high byte
};

class OtherColourItems : public ::testing::TestWithParam<OtherItemRow> {};

TEST_P(OtherColourItems, ColourReadFromCharacters49To57)
{
    const OtherItemRow &row = GetParam();
    const QStringList items = otherColourItems();
    ASSERT_EQ(54, items.size());
    const QString item = items.at(row.index);
    EXPECT_EQ(57, item.size());
    EXPECT_EQ(QString::fromLatin1(row.name), item.left(48).trimmed());
    EXPECT_EQ(row.colour, colourFromListText(item).value_or(-1));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OtherColourItems,
    ::testing::Values(
        OtherItemRow{0, "Maroon", 0x000080}, OtherItemRow{1, "Green", 0x008000},
        OtherItemRow{2, "Olive", 0x808000}, OtherItemRow{3, "Navy", 0x800000},
        OtherItemRow{4, "Purple", 0x800080}, OtherItemRow{5, "Teal", 0x008080},
        OtherItemRow{6, "Red", 0x0000FF}, OtherItemRow{7, "Gray", 0x808080},
        OtherItemRow{8, "Silver", 0xC0C0C0}, OtherItemRow{9, "Lime", 0x00FF00},
        OtherItemRow{10, "Yellow", 0x00FFFF}, OtherItemRow{11, "Blue", 0xFF0000},
        OtherItemRow{12, "Fuchsia", 0xFF00FF}, OtherItemRow{13, "Aqua", 0xFFFF00},
        OtherItemRow{14, "White", 0xFFFFFF}, OtherItemRow{15, "Black", 0x000000},
        OtherItemRow{16, "DkTeal", 0x999933}, OtherItemRow{17, "DkViolet", 0x993399},
        OtherItemRow{18, "Editor", 0x950416}, OtherItemRow{19, "Grape", 0xB16778},
        OtherItemRow{20, "Green", 0x2BCA56}, OtherItemRow{21, "Honey", 0x1CAEE6},
        OtherItemRow{22, "Khaki", 0x669999}, OtherItemRow{23, "LightBrown", 0x688FB0},
        OtherItemRow{24, "LightGrape", 0xBD85C7}, OtherItemRow{25, "LightPurple", 0xFBA29D},
        OtherItemRow{26, "LtBlue", 0xFFCC99}, OtherItemRow{27, "LtCyan", 0xFFFF99},
        OtherItemRow{28, "LtGreen", 0xCCFFCC}, OtherItemRow{29, "LtOrange", 0x99CCFF},
        OtherItemRow{30, "LtPurple", 0xFFCCCC}, OtherItemRow{31, "LtViolet", 0xFFCCFF},
        OtherItemRow{32, "MediumGray", 0xA4A0A0}, OtherItemRow{33, "MoneyGreen", 0xC0DCC0},
        OtherItemRow{34, "Mustard", 0x00C4C4}, OtherItemRow{35, "OliveGreen", 0x009966},
        OtherItemRow{36, "Orange", 0x33CCFF}, OtherItemRow{37, "PaleBlue", 0xFFFFCC},
        OtherItemRow{38, "PaleGreen", 0x79FF91}, OtherItemRow{39, "PaleYellow", 0xCCFFFF},
        OtherItemRow{40, "PaleYellow", 0xE2FCFB}, OtherItemRow{41, "Peach", 0x647EF9},
        OtherItemRow{42, "Pink", 0x8640FB}, OtherItemRow{43, "Pumpkin", 0x0099FF},
        OtherItemRow{44, "Purple", 0xCC0099}, OtherItemRow{45, "RedBaron", 0x0033FF},
        OtherItemRow{46, "Rose", 0x5E24F4}, OtherItemRow{47, "Sea", 0xB90F0B},
        OtherItemRow{48, "SeaGreen", 0xCCFF00}, OtherItemRow{49, "Sky", 0xFD8A4D},
        OtherItemRow{50, "SkyBlue", 0xF0CAA6}, OtherItemRow{51, "Slab", 0xB3B67E},
        OtherItemRow{52, "Violet", 0xFF33FF}, OtherItemRow{53, "YellowGreen", 0x00FFCC}),
    [](const auto &info) {
        return std::to_string(info.param.index) + "_" + info.param.name;
    });

// Texts without the "$" field at character 49 leave the colour alone.
struct ListTextRow {
    const char *label;
    QString text;
};

class UnreadableListTexts : public ::testing::TestWithParam<ListTextRow> {};

TEST_P(UnreadableListTexts, GiveNoColour)
{
    EXPECT_FALSE(colourFromListText(GetParam().text).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, UnreadableListTexts,
    ::testing::Values(
        ListTextRow{"Other", QStringLiteral("Other")},
        ListTextRow{"Empty", QString()},
        ListTextRow{"CutShort", QString(48, ' ') + QStringLiteral("$00FF33")},
        ListTextRow{"NoDollar", QString(48, ' ') + QStringLiteral("#00FF33FF")},
        ListTextRow{"ShiftedByOne", QString(47, ' ') + QStringLiteral("$00FF33FF")}),
    [](const auto &info) { return std::string(info.param.label); });

// ---- Size radios and the name-block layout ----

TEST(SizeRadios, DigitsOfTheNameAreThePoints)
{
    EXPECT_EQ(8, sizeFromRadioName("NFSize8", "NF").value_or(-1));
    EXPECT_EQ(12, sizeFromRadioName("NFSize12", "NF").value_or(-1));
    EXPECT_EQ(11, sizeFromRadioName("IFSize11", "IF").value_or(-1));
    EXPECT_FALSE(sizeFromRadioName("NFSize12", "IF").has_value());
    EXPECT_FALSE(sizeFromRadioName("NFName1", "NF").has_value());
}

struct LayoutRow {
    int points;
    std::optional<NameLineLayout> layout;
};

class NameLineLayouts : public ::testing::TestWithParam<LayoutRow> {};

TEST_P(NameLineLayouts, HeightAndStepBySize)
{
    EXPECT_EQ(GetParam().layout, nameLineLayout(GetParam().points));
}

INSTANTIATE_TEST_SUITE_P(Rows, NameLineLayouts,
                         ::testing::Values(LayoutRow{8, NameLineLayout{15, 15}},
                                           LayoutRow{9, NameLineLayout{16, 15}},
                                           LayoutRow{10, NameLineLayout{18, 15}},
                                           LayoutRow{12, NameLineLayout{21, 18}},
                                           LayoutRow{11, std::nullopt},
                                           LayoutRow{48, std::nullopt}),
                         [](const auto &info) { return "Size" + std::to_string(info.param.points); });

TEST(NameLineLayouts, Size12PutsTheLinesAt18And36BelowTheName)
{
    const NameBlockTops tops = nameBlockTops(71, nameLineLayout(12)->step);
    EXPECT_EQ(89, tops.address);
    EXPECT_EQ(107, tops.town);
}

TEST(NameLineLayouts, Size9LinesOverlapByOnePixel)
{
    const NameLineLayout layout = *nameLineLayout(9);
    const NameBlockTops tops = nameBlockTops(100, layout.step);
    EXPECT_EQ(1, 100 + layout.height - tops.address);
    EXPECT_EQ(1, tops.address + layout.height - tops.town);
}

// ---- One click of a group's style handler ----

struct ClickRow {
    const char *label;
    StyleGroup group;
    StyleSender sender;
    StyleChecks checks;
    // expected
    std::optional<QString> face;
    std::optional<int> points;
    std::optional<int> colour;
    bool bold;
    std::optional<bool> italic;
    bool resetList;
    bool uncheckColourRadios;
};

StyleSender radio(const char *name, const char *caption = "")
{
    return {StyleSender::Kind::Radio, name, caption, {}};
}
StyleSender list(const QString &text)
{
    return {StyleSender::Kind::List, "ComboBox1", {}, text};
}
StyleSender noSender() { return {}; }
StyleSender checkBox(const char *name) { return {StyleSender::Kind::Other, name, {}, {}}; }

const StyleChecks kPlain{};
const StyleChecks kBoldItalic40{true, true, false, 40};

QString violetItem() { return otherColourItems().at(52); }

class StyleClicks : public ::testing::TestWithParam<ClickRow> {};

TEST_P(StyleClicks, ChangeWhatTheSenderChooses)
{
    const ClickRow &row = GetParam();
    const StyleChange c = styleChange(row.group, row.sender, row.checks);
    EXPECT_EQ(row.face, c.face);
    EXPECT_EQ(row.points, c.points);
    EXPECT_EQ(row.colour, c.colour);
    EXPECT_EQ(row.bold, c.bold);
    EXPECT_EQ(row.italic, c.italic);
    EXPECT_EQ(row.resetList, c.resetList);
    EXPECT_EQ(row.uncheckColourRadios, c.uncheckColourRadios);
    EXPECT_EQ(row.group == StyleGroup::Name, c.layoutNameLines);
    EXPECT_EQ(row.group == StyleGroup::CallSign, c.underline.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StyleClicks,
    ::testing::Values(
        // The call sign re-applies bold, underline, size and italic on every click.
        ClickRow{"CallSignNoSender", StyleGroup::CallSign, noSender(), kBoldItalic40,
                 std::nullopt, 40, std::nullopt, true, true, false, false},
        ClickRow{"CallSignFace", StyleGroup::CallSign, radio("CSFName3", "Courier New"), kPlain,
                 QString("Courier New"), 20, std::nullopt, false, false, false, false},
        ClickRow{"CallSignRed", StyleGroup::CallSign, radio("CSFColor000000FF", "Red"), kPlain,
                 std::nullopt, 20, 255, false, false, true, false},
        ClickRow{"CallSignList", StyleGroup::CallSign, list(violetItem()), kPlain,
                 std::nullopt, 20, 16724991, false, false, false, true},
        // The name and info groups keep their size unless a size radio is the sender.
        ClickRow{"NameMediumBlue", StyleGroup::Name, radio("NFColor00FF0000", "Medium Blue"),
                 kPlain, std::nullopt, std::nullopt, 16711680, false, std::nullopt, true, false},
        ClickRow{"NameSize12", StyleGroup::Name, radio("NFSize12", "12"), kPlain,
                 std::nullopt, 12, std::nullopt, false, std::nullopt, false, false},
        ClickRow{"NameBold", StyleGroup::Name, checkBox("NFBold"), kBoldItalic40,
                 std::nullopt, std::nullopt, std::nullopt, true, std::nullopt, false, false},
        ClickRow{"NameFaceOfInfoGroup", StyleGroup::Name, radio("IFName2", "Comic Sans MS"),
                 kPlain, std::nullopt, std::nullopt, std::nullopt, false, std::nullopt, false,
                 false},
        ClickRow{"InfoViolet", StyleGroup::Info, list(violetItem()), kPlain, std::nullopt,
                 std::nullopt, 16724991, false, std::nullopt, false, true},
        ClickRow{"InfoListStillOther", StyleGroup::Info, list("Other"), kPlain, std::nullopt,
                 std::nullopt, std::nullopt, false, std::nullopt, false, true},
        ClickRow{"InfoSize11", StyleGroup::Info, radio("IFSize11", "11"), kPlain, std::nullopt,
                 11, std::nullopt, false, std::nullopt, false, false},
        ClickRow{"InfoFace", StyleGroup::Info, radio("IFName8", "Verdana"), kPlain,
                 QString("Verdana"), std::nullopt, std::nullopt, false, std::nullopt, false,
                 false}),
    [](const auto &info) { return std::string(info.param.label); });
