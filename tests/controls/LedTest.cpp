#include "Led.h"
#include "LedStrip.h"

#include "Pixels.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <memory>

namespace {

// The lamp's picture, written out independently of the control: '.' shows the background.
const char *const kShape[13] = {
    "....gggg....", "..ggkkkkgg..", ".g.kbbbbk.g.", ".gkbbhhbbkx.", "gkbbhbbbbbgx",
    "gkbhbbbbbbgx", "gkbhbbbbbbgx", "gkbbbbbbbbgx", "gkbbbbbbbbgx", ".gkbbbbbbgx.",
    ".g.gbbbbg.x.", "..xxggggxx..", "....xxxx....",
};

const QColor kBackground(10, 200, 30);

struct LampCase {
    const char *name;
    Led::LedColor color;
    bool lit;
    bool enabled;
    QColor body;  // invalid: the background shows through
    QColor glint;
};

QColor expected(char sign, const LampCase &c)
{
    switch (sign) {
    case 'g': return QColor(128, 128, 128);
    case 'k': return QColor(0, 0, 0);
    case 'x': return QColor(255, 255, 255);
    case 'b': return c.body.isValid() ? c.body : kBackground;
    case 'h': return c.glint;
    default: return kBackground;
    }
}

class LampLookTest : public ::testing::TestWithParam<LampCase> {};

TEST_P(LampLookTest, EveryPixelMatchesTheCellTable)
{
    const LampCase &c = GetParam();
    QWidget parent;
    QPalette palette = parent.palette();
    palette.setColor(QPalette::Window, kBackground);
    parent.setPalette(palette);
    Led lamp(&parent);
    lamp.setColor(c.color);
    lamp.setLit(c.lit);
    lamp.setEnabled(c.enabled);
    const QImage image = renderOver(lamp);
    ASSERT_EQ(image.size(), QSize(12, 13));
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 12; ++x)
            ASSERT_EQ(pixelAt(image, x, y), expected(kShape[y][x], c)) << "pixel " << x << "," << y;
}

const QColor kWhite(255, 255, 255);
using Colour = Led::LedColor;
INSTANTIATE_TEST_SUITE_P(
    Cells, LampLookTest,
    ::testing::Values(
        LampCase{"RedUnlit", Colour::Red, false, true, QColor(128, 0, 0), QColor(255, 0, 0)},
        LampCase{"RedLit", Colour::Red, true, true, QColor(255, 0, 0), kWhite},
        LampCase{"GreenUnlit", Colour::Green, false, true, QColor(0, 128, 0), QColor(0, 255, 0)},
        LampCase{"GreenLit", Colour::Green, true, true, QColor(0, 255, 0), kWhite},
        LampCase{"YellowUnlit", Colour::Yellow, false, true, QColor(128, 128, 0),
                 QColor(255, 255, 0)},
        LampCase{"YellowLit", Colour::Yellow, true, true, QColor(255, 255, 0), kWhite},
        LampCase{"DisabledLit", Colour::Red, true, false, QColor(), kWhite},
        LampCase{"DisabledGreenUnlit", Colour::Green, false, false, QColor(), kWhite}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LedStrip, IsA16ColourPictureWithTealAsTransparentColour)
{
    const QImage pics = LedStrip::ledPics();
    EXPECT_EQ(pics.size(), QSize(24, 52));
    EXPECT_LE(pics.colorCount(), 16);
    Led lamp;
    ASSERT_NE(LedStrip::instance(), nullptr);
    EXPECT_EQ(LedStrip::instance()->transparentColor(), QColor(0, 128, 128));
    EXPECT_EQ(QColor::fromRgb(pics.pixel(0, 51)), QColor(0, 128, 128));
}

TEST(LedStrip, LivesFromTheFirstLampToTheLast)
{
    ASSERT_EQ(LedStrip::instance(), nullptr);
    auto first = std::make_unique<Led>();
    auto second = std::make_unique<Led>();
    ASSERT_NE(LedStrip::instance(), nullptr);
    EXPECT_EQ(LedStrip::instance()->lampCount(), 2);
    second->setLit(true);
    const QImage before = renderOver(*second);
    first.reset();
    ASSERT_NE(LedStrip::instance(), nullptr);
    EXPECT_EQ(renderOver(*second), before);
    second.reset();
    EXPECT_EQ(LedStrip::instance(), nullptr);
}

TEST(Lamp, RaisesChangeStateOnlyForRealChanges)
{
    Led lamp;
    QSignalSpy spy(&lamp, &Led::changeState);
    struct Step {
        std::function<void()> act;
        int raisedSoFar;
    };
    const Step steps[] = {
        {[&] { lamp.setLit(false); }, 0},
        {[&] { lamp.setLit(true); }, 1},
        {[&] { lamp.setLit(true); }, 1},
        {[&] { lamp.setColor(Colour::Red); }, 1},
        {[&] { lamp.setColor(Colour::Yellow); }, 2},
        {[&] { lamp.setEnabled(false); }, 3},
        {[&] { lamp.setEnabled(true); }, 4},
    };
    int i = 0;
    for (const Step &step : steps) {
        step.act();
        EXPECT_EQ(spy.count(), step.raisedSoFar) << "step " << i++;
    }
}

TEST(Lamp, DisablingALitLampShowsTheRingAndEnablingShowsItLitAgain)
{
    Led lamp;
    lamp.setLit(true);
    const QImage lit = renderOver(lamp);
    lamp.setEnabled(false);
    const QImage ring = renderOver(lamp);
    EXPECT_NE(ring, lit);
    EXPECT_EQ(pixelAt(ring, 6, 2), pixelAt(ring, 0, 0));  // body shows the background
    lamp.setEnabled(true);
    EXPECT_EQ(renderOver(lamp), lit);
}

TEST(Lamp, KeepsItsSizeWhateverIsAsked)
{
    QWidget parent;
    Led lamp(&parent);
    const QRect asks[] = {{5, 6, 40, 40}, {0, 0, 1, 1}, {3, 3, 12, 13}};
    for (const QRect &ask : asks) {
        lamp.setGeometry(ask);
        EXPECT_EQ(lamp.size(), QSize(12, 13));
        EXPECT_EQ(lamp.pos(), ask.topLeft());
    }
    lamp.resize(100, 100);
    EXPECT_EQ(lamp.size(), QSize(12, 13));
}

} // namespace

namespace {

TEST(Lamp, FollowsItsParentsColour)
{
    QWidget parent;
    Led lamp(&parent);
    for (const QColor &colour : {QColor(10, 20, 30), QColor(200, 100, 0)}) {
        QPalette palette = parent.palette();
        palette.setColor(QPalette::Window, colour);
        parent.setPalette(palette);
        const QImage image = renderOver(lamp);
        EXPECT_EQ(pixelAt(image, 0, 0), colour);
        EXPECT_EQ(pixelAt(image, 11, 12), colour);
    }
}

} // namespace
