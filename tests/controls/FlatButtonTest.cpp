#include "FlatButton.h"

#include "Colors.h"
#include "Pixels.h"
#include "QtPrinters.h"

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <functional>

namespace {

const QColor kLight = colorFromInt(15594744);
const QColor kDark = colorFromInt(5197647);
const QColor kBorder = colorFromInt(8556441);
const QColor kOver = colorFromInt(704216);
const QColor kFace(200, 200, 200);
const QColor kDown(0, 0, 200);

// A bare button: no caption, distinct colours for every state.
struct ButtonFixture {
    QWidget parent;
    FlatButton button{&parent};
    ButtonFixture()
    {
        button.setGeometry(0, 0, 30, 20);
        button.setShowCaption(false);
        button.setColor(kFace);
        button.setColorDown(kDown);
        parent.resize(100, 100);
        parent.show();
    }
};

// A look's fill, the colour of its top and left edges and that of its right and bottom edges.
struct LookCase {
    const char *name;
    std::function<void(FlatButton &)> drive;
    QColor fill, topLeftEdges, bottomRightEdges;
};

class ButtonLookTest : public ::testing::TestWithParam<LookCase> {};

TEST_P(ButtonLookTest, FillFrameAndBevelLines)
{
    const LookCase &c = GetParam();
    ButtonFixture f;
    c.drive(f.button);
    const QImage image = renderOver(f.button);
    const int w = 30, h = 20;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool inside = x > 0 && y > 0 && x < w - 1 && y < h - 1;
            const bool bottomRight = x == w - 1 || y == h - 1;
            const QColor expected = inside        ? c.fill
                                  : bottomRight ? c.bottomRightEdges
                                                : c.topLeftEdges;
            ASSERT_EQ(pixelAt(image, x, y), expected) << x << "," << y;
        }
}

void press(FlatButton &b)
{
    sendEnter(b);
    sendMouse(b, QEvent::MouseButtonPress, {5, 5});
}

INSTANTIATE_TEST_SUITE_P(
    Looks, ButtonLookTest,
    ::testing::Values(
        LookCase{"Normal", [](FlatButton &) {}, kFace, kBorder, kBorder},
        LookCase{"Hover", [](FlatButton &b) { sendEnter(b); }, kOver, kLight, kDark},
        LookCase{"Pressed", press, kDown, kDark, kLight},
        LookCase{"PressedWithFlagOff",
                 [](FlatButton &b) {
                     b.setButtonEnabled(false);
                     press(b);
                 },
                 kFace, kBorder, kBorder},
        LookCase{"CaptionChangeShowsNormal",
                 [](FlatButton &b) {
                     sendEnter(b);
                     b.setCaption(QStringLiteral("New"));
                 },
                 kFace, kBorder, kBorder},
        LookCase{"AfterLeave",
                 [](FlatButton &b) {
                     press(b);
                     sendLeave(b);
                 },
                 kFace, kBorder, kBorder}),
    [](const auto &info) { return std::string(info.param.name); });

// One mouse script and what it must give.
struct ScriptCase {
    const char *name;
    bool flag;
    std::function<void(FlatButton &)> script;
    int clicks, downs, ups;
    FlatButton::Look lookAfter;
};

class ButtonMouseTest : public ::testing::TestWithParam<ScriptCase> {};

TEST_P(ButtonMouseTest, ClicksAndLooks)
{
    const ScriptCase &c = GetParam();
    ButtonFixture f;
    f.button.setButtonEnabled(c.flag);
    QSignalSpy clicks(&f.button, &FlatButton::clicked);
    QSignalSpy downs(&f.button, &FlatButton::mouseDown);
    QSignalSpy ups(&f.button, &FlatButton::mouseUp);
    c.script(f.button);
    EXPECT_EQ(clicks.count(), c.clicks);
    EXPECT_EQ(downs.count(), c.downs);
    EXPECT_EQ(ups.count(), c.ups);
    EXPECT_EQ(f.button.look(), c.lookAfter);
}

void clickAt(FlatButton &b, QPoint release, Qt::MouseButton button = Qt::LeftButton)
{
    sendEnter(b);
    sendMouse(b, QEvent::MouseButtonPress, {5, 5}, button);
    sendMouse(b, QEvent::MouseButtonRelease, release, button);
}

using Look = FlatButton::Look;
INSTANTIATE_TEST_SUITE_P(
    Scripts, ButtonMouseTest,
    ::testing::Values(
        ScriptCase{"ClickOver", true, [](auto &b) { clickAt(b, {6, 6}); }, 1, 1, 1, Look::Hover},
        ScriptCase{"ReleasedElsewhere", true, [](auto &b) { clickAt(b, {60, 6}); }, 0, 1, 1,
                   Look::Normal},
        ScriptCase{"FlagOff", false, [](auto &b) { clickAt(b, {6, 6}); }, 0, 0, 0, Look::Normal},
        ScriptCase{"RightButton", true, [](auto &b) { clickAt(b, {6, 6}, Qt::RightButton); }, 0,
                   0, 0, Look::Hover},
        ScriptCase{"ReleaseWithoutPress", true,
                   [](auto &b) { sendMouse(b, QEvent::MouseButtonRelease, {6, 6}); }, 0, 0, 0,
                   Look::Normal},
        ScriptCase{"LockedWhilePressed", true,
                   [](auto &b) {
                       sendMouse(b, QEvent::MouseButtonPress, {5, 5});
                       b.setButtonEnabled(false);
                       sendMouse(b, QEvent::MouseButtonRelease, {6, 6});
                   },
                   0, 1, 0, Look::Normal},
        ScriptCase{"ActionTookThePointerAway", true,
                   [](auto &b) {
                       QObject::connect(&b, &FlatButton::clicked, [&b] { sendLeave(b); });
                       clickAt(b, {6, 6});
                   },
                   1, 1, 1, Look::Normal}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ButtonClick, ActionRunsWithTheNormalLookOnScreen)
{
    ButtonFixture f;
    QColor duringAction;
    Look lookDuringAction = Look::Hover;
    QObject::connect(&f.button, &FlatButton::clicked, [&] {
        lookDuringAction = f.button.look();
        duringAction = pixelAt(renderOver(f.button), 15, 10);
    });
    clickAt(f.button, {6, 6});
    EXPECT_EQ(lookDuringAction, Look::Normal);
    EXPECT_EQ(duringAction, kFace);
    EXPECT_EQ(pixelAt(renderOver(f.button), 15, 10), kOver);
}

TEST(ButtonCaption, DefaultsToTheComponentName)
{
    QWidget parent;
    FlatButton named(&parent);
    named.setObjectName(QStringLiteral("PrintButton1"));
    EXPECT_EQ(named.caption(), QStringLiteral("PrintButton1"));
    FlatButton captioned(&parent);
    captioned.setCaption(QStringLiteral("PrintButton1"));
    FlatButton empty(&parent);
    empty.setObjectName(QStringLiteral("PrintButton1"));
    empty.setCaption(QString());
    EXPECT_EQ(renderOver(named), renderOver(captioned));
    EXPECT_NE(renderOver(named), renderOver(empty));
    named.setObjectName(QStringLiteral("X"));
    EXPECT_EQ(named.caption(), QStringLiteral("X"));
    EXPECT_EQ(captioned.caption(), QStringLiteral("PrintButton1"));
}

struct CaptionCase {
    const char *name;
    bool pressed;
    QSize size;
};

class ButtonCaptionTest : public ::testing::TestWithParam<CaptionCase> {};

// The caption's box is (W div 2 - tw div 2, H div 2 - th div 2), one pixel lower right when
// pressed; every pixel of ink must lie in it.
TEST_P(ButtonCaptionTest, InkLiesInTheCaptionBox)
{
    const CaptionCase &c = GetParam();
    ButtonFixture f;
    f.button.resize(c.size);
    f.button.setShowCaption(true);
    f.button.setCaption(QStringLiteral("Print"));
    f.button.setColorOverCaption(QColor(255, 255, 0));
    if (c.pressed)
        press(f.button);
    const QImage image = renderOver(f.button);
    const QFontMetrics fm(f.button.font());
    const int tw = fm.horizontalAdvance(QStringLiteral("Print"));
    const int th = fm.height();
    const int shift = c.pressed ? 1 : 0;
    const QRect box(c.size.width() / 2 - tw / 2 + shift, c.size.height() / 2 - th / 2 + shift,
                    tw, th);
    const QColor fill = c.pressed ? kDown : kFace;
    const QRect ink = inkBox(image, fill, QRect(1, 1, c.size.width() - 2, c.size.height() - 2));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(box.contains(ink)) << "ink " << ink.x() << "," << ink.y() << " " << ink.width()
                                   << "x" << ink.height() << " box " << box.x() << "," << box.y();
    EXPECT_LE(ink.left() - box.left(), 2);
}

INSTANTIATE_TEST_SUITE_P(Captions, ButtonCaptionTest,
                         ::testing::Values(CaptionCase{"Normal", false, {86, 22}},
                                           CaptionCase{"Pressed", true, {86, 22}},
                                           CaptionCase{"OddSize", false, {61, 25}}),
                         [](const auto &info) { return std::string(info.param.name); });

// A caption wider than its button is narrowed, or cut with "…" at its end, and stays inside
// the border with a pixel of fill on each side; it is never cut at both ends. A cut caption
// is the button's tooltip, whole.
struct WideCaptionRow {
    const char *name;
    const char *caption;
    QSize size;
    const char *tip;   // the tooltip expected
};

void PrintTo(const WideCaptionRow &row, std::ostream *os) { *os << row.name; }

class ButtonWideCaption : public ::testing::TestWithParam<WideCaptionRow> {};

TEST_P(ButtonWideCaption, StaysInsideTheBorderWithTheWholeCaptionAsTip)
{
    const WideCaptionRow &row = GetParam();
    ButtonFixture f;
    f.button.resize(row.size);
    f.button.setShowCaption(true);
    f.button.setCaption(QString::fromUtf8(row.caption));
    const QImage image = renderOver(f.button);
    const int w = row.size.width(), h = row.size.height();
    const QRect ink = inkBox(image, kFace, QRect(1, 1, w - 2, h - 2));
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 2);
    EXPECT_LE(ink.right(), w - 3);
    EXPECT_EQ(QString::fromUtf8(row.tip), f.button.toolTip());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ButtonWideCaption,
    ::testing::Values(WideCaptionRow{"FrequencyButton", "144.300", {26, 16}, "144.300"},
                      WideCaptionRow{"SignalButton", "5NN TU", {27, 16}, "5NN TU"},
                      WideCaptionRow{"NarrowedNotCut", "599", {18, 16}, ""},
                      WideCaptionRow{"TooLongEvenNarrowed", "70% Cut Dipole", {26, 16}, "70% Cut Dipole"},
                      WideCaptionRow{"Fits", "59", {27, 16}, ""}),
    [](const auto &info) { return std::string(info.param.name); });

// The tooltip follows the room: it goes once the button is wide enough, and comes back.
TEST(ButtonWideCaption, TipFollowsTheButtonsWidth)
{
    ButtonFixture f;
    f.button.setShowCaption(true);
    f.button.setCaption(QStringLiteral("Current GMT Date Time"));
    f.button.resize(40, 16);
    EXPECT_EQ(QStringLiteral("Current GMT Date Time"), f.button.toolTip());
    f.button.resize(200, 16);
    EXPECT_EQ(QString(), f.button.toolTip());
    f.button.setCaption(QStringLiteral("5NN TU"));
    f.button.resize(27, 16);
    EXPECT_EQ(QStringLiteral("5NN TU"), f.button.toolTip());
}

// A 6 x 4 glyph: a magenta key colour around a 4 x 2 block of red.
QImage sampleGlyph()
{
    QImage glyph(6, 4, QImage::Format_RGB32);
    glyph.fill(QColor(255, 0, 255));
    for (int y = 1; y < 3; ++y)
        for (int x = 1; x < 5; ++x)
            glyph.setPixel(x, y, qRgb(255, 0, 0));
    return glyph;
}

TEST(ButtonGlyph, CentredWithoutCaptionAndKeyedOnItsTopLeftPixel)
{
    ButtonFixture f;
    f.button.setGlyph(sampleGlyph());
    const QImage image = renderOver(f.button);
    // Block of red: glyph at (15 - 3, 10 - 2) = (12, 8), red from (13, 9) to (16, 10).
    EXPECT_EQ(inkBox(image, kFace, QRect(1, 1, 28, 18)), QRect(13, 9, 4, 2));
    EXPECT_EQ(pixelAt(image, 13, 9), QColor(255, 0, 0));
}

} // namespace
