#include "CardElements.h"
#include "CardOptions.h"

#include <gtest/gtest.h>

#include <map>

using namespace card;

namespace {

const ElementRow *element(const QString &name)
{
    for (const ElementRow &e : cardElements())
        if (QString::fromLatin1(e.name) == name)
            return &e;
    return nullptr;
}

} // namespace

// "prefs.txt" stores the text elements in creation order; a shuffled table would move every
// operator's fields to the wrong elements.
TEST(CardElements, TextElementsFollowThePrefsOrder)
{
    const QStringList expected = {
        "alCallSign", "AlLabel1", "alContactCallSign", "AlLabel2", "alUTCDate", "AlLabel3",
        "alUTCTime", "AlLabel4", "alFreq", "AlLabel5", "alMode", "AlLabel6", "alPower",
        "AlLabel7", "alSignal", "alName", "alAddress", "alTown", "alEmail", "al73",
        "alPseQSL", "alPseLoTW"};
    EXPECT_EQ(expected, textElementNames());
    EXPECT_EQ(45u, cardElements().size());
}

// Each overlay must lie exactly over the value element of its column, or typed values and
// printed values would not line up.
TEST(CardElements, OverlaysLieOverTheirValueElements)
{
    for (int i = 0; i < 7; ++i) {
        const ElementRow *overlay = element(overlays()[i]);
        const ElementRow *value = element(valueElements()[i]);
        ASSERT_NE(nullptr, overlay);
        ASSERT_NE(nullptr, value);
        EXPECT_EQ(value->geometry, overlay->geometry) << overlay->name;
    }
}

// Every title and value sits one pixel inside its own box; odd boxes frame the titles.
TEST(CardElements, EachTableCellHasItsBox)
{
    for (int i = 0; i < 7; ++i) {
        const ElementRow *title = element(titleElements()[i]);
        const ElementRow *value = element(valueElements()[i]);
        const ElementRow *titleBox = element(QStringLiteral("AlShape%1").arg(2 * i + 1));
        const ElementRow *valueBox = element(QStringLiteral("AlShape%1").arg(2 * i + 2));
        ASSERT_TRUE(title && value && titleBox && valueBox);
        EXPECT_EQ(titleBox->geometry.topLeft() + QPoint(1, 1), title->geometry.topLeft());
        EXPECT_EQ(valueBox->geometry.topLeft() + QPoint(1, 1), value->geometry.topLeft());
        EXPECT_EQ(title->geometry.left(), value->geometry.left());
    }
}

TEST(CardElements, GroupsNameExistingElements)
{
    for (const QStringList &group : {identityElements(), titleElements(), valueElements(),
                                     overlays(), boxFrames()})
        for (const QString &name : group)
            EXPECT_NE(nullptr, element(name)) << name.toStdString();
    EXPECT_EQ(8, identityEdits().size());
    EXPECT_EQ(8, identityElements().size());
}

// ---- applying the options ----

struct OptionRow {
    const char *what;
    CardOptions options;
    CardLook expected;
};

class ApplyOptions : public ::testing::TestWithParam<OptionRow> {};

TEST_P(ApplyOptions, GivesTheLook)
{
    const OptionRow &row = GetParam();
    const CardLook look = applyCardOptions(row.options, BoxColours{1, 2});
    const CardLook &e = row.expected;
    EXPECT_EQ(e.interfaceColour, look.interfaceColour);
    EXPECT_EQ(e.pseQslVisible, look.pseQslVisible);
    EXPECT_EQ(e.pseLotwVisible, look.pseLotwVisible);
    EXPECT_EQ(e.show73Visible, look.show73Visible);
    EXPECT_EQ(e.emailVisible, look.emailVisible);
    EXPECT_EQ(e.closingLinesTransparent, look.closingLinesTransparent);
    EXPECT_EQ(e.addressTransparent, look.addressTransparent);
    EXPECT_EQ(e.emailTransparent, look.emailTransparent);
    EXPECT_EQ(e.tableTransparent, look.tableTransparent);
    EXPECT_EQ(e.cardFrameVisible, look.cardFrameVisible);
    EXPECT_EQ(e.boxesVisible, look.boxesVisible);
    EXPECT_EQ(e.sendVisible, look.sendVisible);
    EXPECT_EQ(e.copyButtonLeft, look.copyButtonLeft);
    EXPECT_EQ(e.boxPen, look.boxPen);
    EXPECT_EQ(e.colours.box, look.colours.box);
    EXPECT_EQ(e.colours.boxText, look.colours.boxText);
}

CardOptions firstRunOptions()
{
    CardOptions o;
    o.background = kFirstRunBackground;
    o.interfaceChoice = kFirstRunInterface;
    return o;
}

CardLook firstRunLook()
{
    CardLook l;
    l.interfaceColour = 7585759;
    l.colours = {65535, 8388608};
    return l;
}

// The first-run options with one change.
template <typename F> CardOptions optionsWith(F change)
{
    CardOptions o = firstRunOptions();
    change(o);
    return o;
}

template <typename F> CardLook firstRunWith(F change)
{
    CardLook l = firstRunLook();
    change(l);
    return l;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ApplyOptions,
    ::testing::Values(
        OptionRow{"first run", firstRunOptions(), firstRunLook()},
        OptionRow{"pse qsl", optionsWith([](CardOptions &o) { o.pseQsl = true; }),
                  firstRunWith([](CardLook &l) { l.pseQslVisible = true; })},
        OptionRow{"pse lotw", optionsWith([](CardOptions &o) { o.pseLotw = true; }),
                  firstRunWith([](CardLook &l) { l.pseLotwVisible = true; })},
        OptionRow{"show 73", optionsWith([](CardOptions &o) { o.show73 = true; }),
                  firstRunWith([](CardLook &l) { l.show73Visible = true; })},
        OptionRow{"email", optionsWith([](CardOptions &o) { o.showEmail = true; o.transpEmail = true; }),
                  firstRunWith([](CardLook &l) { l.emailVisible = true; l.emailTransparent = true; })},
        OptionRow{"transp 73/pse", optionsWith([](CardOptions &o) { o.transp73Pse = true; }),
                  firstRunWith([](CardLook &l) { l.closingLinesTransparent = true; })},
        OptionRow{"transp name", optionsWith([](CardOptions &o) { o.transpName = true; }),
                  firstRunWith([](CardLook &l) { l.addressTransparent = true; })},
        OptionRow{"transp info", optionsWith([](CardOptions &o) { o.transpTitles = true; }),
                  firstRunWith([](CardLook &l) { l.tableTransparent = true; })},
        OptionRow{"boxes apart from frame", optionsWith([](CardOptions &o) { o.frameInfo = true; }),
                  firstRunWith([](CardLook &l) { l.boxesVisible = true; })},
        OptionRow{"frame apart from boxes", optionsWith([](CardOptions &o) { o.frameCard = true; }),
                  firstRunWith([](CardLook &l) { l.cardFrameVisible = true; })},
        OptionRow{"send enabled", optionsWith([](CardOptions &o) { o.sendEnabled = true; }),
                  firstRunWith([](CardLook &l) { l.sendVisible = true; l.copyButtonLeft = 622; })},
        OptionRow{"interface 1", optionsWith([](CardOptions &o) { o.interfaceChoice = 1; }),
                  firstRunWith([](CardLook &l) { l.interfaceColour = 11395047; })},
        OptionRow{"interface 2", optionsWith([](CardOptions &o) { o.interfaceChoice = 2; }),
                  firstRunWith([](CardLook &l) { l.interfaceColour = 10275798; })},
        OptionRow{"no interface keeps panels", optionsWith([](CardOptions &o) { o.interfaceChoice = 0; }),
                  firstRunWith([](CardLook &l) { l.interfaceColour.reset(); })},
        OptionRow{"B7 white text", optionsWith([](CardOptions &o) { o.background = 7; }),
                  firstRunWith([](CardLook &l) { l.colours = {8421504, 16777215}; })},
        OptionRow{"B8 yellow pens", optionsWith([](CardOptions &o) { o.background = 8; }),
                  firstRunWith([](CardLook &l) { l.colours = {16711680, 16777215}; l.boxPen = 65535; })},
        OptionRow{"B9 yellow pens", optionsWith([](CardOptions &o) { o.background = 9; }),
                  firstRunWith([](CardLook &l) { l.colours = {8388608, 16777215}; l.boxPen = 65535; })},
        OptionRow{"BA", optionsWith([](CardOptions &o) { o.background = 10; }),
                  firstRunWith([](CardLook &l) { l.colours = {7585759, 8388608}; })},
        OptionRow{"B1", optionsWith([](CardOptions &o) { o.background = 1; }),
                  firstRunWith([](CardLook &l) { l.colours = {16777215, 8388608}; })},
        OptionRow{"no background keeps colours", optionsWith([](CardOptions &o) { o.background = 0; }),
                  firstRunWith([](CardLook &l) { l.colours = {1, 2}; })}),
    [](const ::testing::TestParamInfo<OptionRow> &info) {
        std::string name = info.param.what;
        for (char &c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });

// A yellow pen chosen with B8 must turn navy again with any other background.
TEST(ApplyOptionsSequence, PensTurnNavyAfterLeavingB8)
{
    CardOptions o = firstRunOptions();
    o.background = 8;
    const CardLook yellow = applyCardOptions(o, {});
    o.background = 3;
    const CardLook back = applyCardOptions(o, yellow.colours);
    EXPECT_EQ(65535, yellow.boxPen);
    EXPECT_EQ(8388608, back.boxPen);
    EXPECT_EQ(12449783, back.colours.box);
}

TEST(BackgroundSchemes, CaptionsAndNamesInCreationOrder)
{
    const std::map<int, std::pair<const char *, const char *>> rows = {
        {0, {"RBBkgClr1", "B1"}}, {5, {"RBBkgClr6", "B6"}}, {8, {"RBBkgClr9", "B9"}},
        {9, {"RBBkgClr0", "BA"}}};
    for (const auto &[i, names] : rows) {
        EXPECT_STREQ(names.first, backgroundSchemes()[i].radio);
        EXPECT_STREQ(names.second, backgroundSchemes()[i].caption);
    }
    EXPECT_EQ(13691112, backgroundSchemes()[3].boxColour);
    EXPECT_EQ(12632256, backgroundSchemes()[4].boxColour);
}
