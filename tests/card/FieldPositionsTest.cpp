#include "FieldPositions.h"

#include <gtest/gtest.h>

using namespace card;

// ---- Selection by caption ----

struct CaptionRow {
    const char *label;
    const char *caption;
    MovableField field;
    const char *element;
};

class SelectionCaptions : public ::testing::TestWithParam<CaptionRow> {};

TEST_P(SelectionCaptions, SelectTheirElement)
{
    EXPECT_EQ(GetParam().field, fieldForCaption(GetParam().caption));
    EXPECT_STREQ(GetParam().element, namesOf(fieldForCaption(GetParam().caption)).element);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SelectionCaptions,
    ::testing::Values(CaptionRow{"Call", "Call", MovableField::CallSign, "alCallSign"},
                      CaptionRow{"Name", "Name", MovableField::Name, "alName"},
                      CaptionRow{"Email", "Email", MovableField::Email, "alEmail"},
                      CaptionRow{"Tnx73s", "73s", MovableField::Tnx73, "al73"},
                      CaptionRow{"PseQSL", "Pse QSL", MovableField::PseQsl, "alPseQSL"},
                      CaptionRow{"PseLoTW", "Pse LoTW", MovableField::PseLotw, "alPseLoTW"},
                      // The caption must match exactly.
                      CaptionRow{"LowerCase", "call", MovableField::None, ""},
                      CaptionRow{"TrailingSpace", "Name ", MovableField::None, ""},
                      CaptionRow{"Empty", "", MovableField::None, ""}),
    [](const auto &info) { return std::string(info.param.label); });

// ---- Slider ranges ----

struct ClampRow {
    const char *label;
    int value;
    SliderRange range;
    int expected;
};

class SliderClamps : public ::testing::TestWithParam<ClampRow> {};

TEST_P(SliderClamps, KeepTheValueInRange)
{
    EXPECT_EQ(GetParam().expected, clampToSlider(GetParam().value, GetParam().range));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SliderClamps,
    ::testing::Values(ClampRow{"LeftInside", -10, kLeftWhileSelected, -10},
                      ClampRow{"LeftBelow", -11, kLeftWhileSelected, -10},
                      ClampRow{"LeftAbove", 501, kLeftWhileSelected, 500},
                      ClampRow{"TopBelow", -30, kTopWhileSelected, -23},
                      ClampRow{"TopInside", -23, kTopWhileSelected, -23},
                      ClampRow{"TopAtMaximum", 500, kTopWhileSelected, 500},
                      ClampRow{"AfterResizeNegative", -5, kAfterPanelResize, 0}),
    [](const auto &info) { return std::string(info.param.label); });

TEST(SliderClamps, ElevenLeftStepsFromZeroStopAtMinusTen)
{
    int value = 0;
    for (int i = 0; i < 11; ++i)
        value = clampToSlider(value + nudgeStep(Nudge::Left), kLeftWhileSelected);
    EXPECT_EQ(-10, value);
}

// ---- Arrow buttons ----

struct NudgeRow {
    const char *name;
    Nudge nudge;
    int step;
};

class ArrowButtons : public ::testing::TestWithParam<NudgeRow> {};

TEST_P(ArrowButtons, DecideByName)
{
    EXPECT_EQ(GetParam().nudge, nudgeForName(GetParam().name));
    EXPECT_EQ(GetParam().step, nudgeStep(nudgeForName(GetParam().name)));
}

INSTANTIATE_TEST_SUITE_P(Rows, ArrowButtons,
                         ::testing::Values(NudgeRow{"Left1", Nudge::Left, -1},
                                           NudgeRow{"Right1", Nudge::Right, 1},
                                           NudgeRow{"Up1", Nudge::Up, -1},
                                           NudgeRow{"Down1", Nudge::Down, 1},
                                           NudgeRow{"In1", Nudge::In, -1},
                                           NudgeRow{"Out1", Nudge::Out, 1},
                                           NudgeRow{"LRTrackBar1", Nudge::None, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- Where the moved elements go ----

TEST(Placements, NameBlockMovesTogether)
{
    const std::vector<Placement> left = leftPlacements(MovableField::Name, 12);
    const std::vector<Placement> expectedLeft = {{"alName", 12}, {"alAddress", 12}, {"alTown", 12}};
    EXPECT_EQ(expectedLeft, left);
    const std::vector<Placement> step15 = {{"alName", 100}, {"alAddress", 115}, {"alTown", 130}};
    EXPECT_EQ(step15, topPlacements(MovableField::Name, 100, 15));
    const std::vector<Placement> step18 = {{"alName", 100}, {"alAddress", 118}, {"alTown", 136}};
    EXPECT_EQ(step18, topPlacements(MovableField::Name, 100, 18));
}

TEST(Placements, OtherFieldsMoveAlone)
{
    const std::vector<Placement> call = {{"alCallSign", -7}};
    EXPECT_EQ(call, topPlacements(MovableField::CallSign, -7, 15));
    const std::vector<Placement> lotw = {{"alPseLoTW", 3}};
    EXPECT_EQ(lotw, leftPlacements(MovableField::PseLotw, 3));
    EXPECT_TRUE(leftPlacements(MovableField::None, 3).empty());
    EXPECT_TRUE(topPlacements(MovableField::None, 3, 15).empty());
}

struct WidthRow {
    const char *label;
    MovableField selected;
    const char *sender;
    bool reapplies;
};

class NameWidthReapplied : public ::testing::TestWithParam<WidthRow> {};

TEST_P(NameWidthReapplied, ByInAndOutUnlessCallIsSelected)
{
    EXPECT_EQ(GetParam().reapplies, reappliesNameWidth(GetParam().selected, GetParam().sender));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NameWidthReapplied,
    ::testing::Values(WidthRow{"InWithName", MovableField::Name, "In1", true},
                      WidthRow{"OutWithNothing", MovableField::None, "Out1", true},
                      WidthRow{"OutWithCall", MovableField::CallSign, "Out1", false},
                      WidthRow{"LeftWithName", MovableField::Name, "Left1", false},
                      WidthRow{"SliderWithEmail", MovableField::Email, "LRTrackBar1", false}),
    [](const auto &info) { return std::string(info.param.label); });
