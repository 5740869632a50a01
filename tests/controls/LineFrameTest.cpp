#include "LineFrame.h"

#include "Pixels.h"

#include <gtest/gtest.h>
#include <set>

namespace {

const QColor kCanvas(255, 255, 255);
const QColor kNavy(0, 0, 128);

using Pixel = std::pair<int, int>;

std::set<Pixel> drawnPixels(LineFrame &line)
{
    const QImage image = renderOver(line, kCanvas);
    std::set<Pixel> drawn;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (pixelAt(image, x, y) != kCanvas) {
                EXPECT_EQ(pixelAt(image, x, y), kNavy) << x << "," << y;
                drawn.insert({x, y});
            }
    return drawn;
}

std::set<Pixel> run(int x0, int y0, int x1, int y1)  // inclusive rectangle of pixels
{
    std::set<Pixel> pixels;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            pixels.insert({x, y});
    return pixels;
}

std::set<Pixel> diagonal(std::initializer_list<Pixel> list) { return std::set<Pixel>(list); }

std::set<Pixel> unite(std::initializer_list<std::set<Pixel>> parts)
{
    std::set<Pixel> all;
    for (const auto &part : parts)
        all.insert(part.begin(), part.end());
    return all;
}

struct LineCase {
    const char *name;
    LineFrame::LineFrameStyles style;
    QSize size;
    std::set<Pixel> pixels;
};

class DiduLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DiduLineTest, DrawsExactlyTheseThinPixels)
{
    const LineCase &c = GetParam();
    LineFrame line;
    line.resize(c.size);
    line.setPen(QPen(kNavy, 1));
    line.setStyle(c.style);
    EXPECT_EQ(drawnPixels(line), c.pixels);
}

using L = LineFrame;
using S = LineFrame::LineFrameStyle;
INSTANTIATE_TEST_SUITE_P(
    Styles, DiduLineTest,
    ::testing::Values(
        // The contact e-mail frame: x = 0, x = 194, y = 0, y = 16, bottom-right corner unset.
        LineCase{"EmailFrame", S::Top | S::Bottom | S::Left | S::Right, {195, 17},
                 unite({run(0, 0, 193, 0), run(0, 16, 193, 16), run(0, 0, 0, 15),
                        run(194, 0, 194, 15)})},
        LineCase{"Top", S::Top, {10, 5}, run(0, 0, 8, 0)},
        LineCase{"Bottom", S::Bottom, {10, 5}, run(0, 4, 8, 4)},
        LineCase{"Left", S::Left, {10, 5}, run(0, 0, 0, 3)},
        LineCase{"Right", S::Right, {10, 5}, run(9, 0, 9, 3)},
        LineCase{"Up", S::Up, {4, 4}, diagonal({{0, 3}, {1, 2}, {2, 1}})},
        LineCase{"NoStyle", {}, {4, 4}, {}},
        LineCase{"Down", S::Down, {4, 4}, diagonal({{0, 0}, {1, 1}, {2, 2}})}),
    [](const auto &info) { return std::string(info.param.name); });

struct SegmentCase {
    const char *name;
    int penWidth;
    QPoint topFrom, topTo, rightFrom, rightTo;
};

class DiduLineWidthTest : public ::testing::TestWithParam<SegmentCase> {};

// Wide pens move the lines inwards by half their width so that they stay inside the control.
TEST_P(DiduLineWidthTest, LinesMoveInwardsWithThePen)
{
    const SegmentCase &c = GetParam();
    const auto segments = LineFrame::segments(S::Top | S::Right, {40, 20}, c.penWidth);
    ASSERT_EQ(segments.size(), 2u);
    EXPECT_EQ(segments[0].from, c.topFrom);
    EXPECT_EQ(segments[0].to, c.topTo);
    EXPECT_EQ(segments[1].from, c.rightFrom);
    EXPECT_EQ(segments[1].to, c.rightTo);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, DiduLineWidthTest,
    ::testing::Values(SegmentCase{"One", 1, {0, 0}, {39, 0}, {39, 0}, {39, 19}},
                      SegmentCase{"Two", 2, {1, 1}, {39, 1}, {39, 1}, {39, 19}},
                      SegmentCase{"Three", 3, {1, 1}, {38, 1}, {38, 1}, {38, 18}},
                      SegmentCase{"Four", 4, {2, 2}, {38, 2}, {38, 2}, {38, 18}},
                      SegmentCase{"ZeroDrawsAsOne", 0, {0, 0}, {39, 0}, {39, 0}, {39, 19}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(DiduLineDefaults, NoPenDrawsNothing)
{
    LineFrame line;
    line.setPen(QPen(Qt::NoPen));
    line.setStyle(S::Top | S::Left);
    EXPECT_TRUE(drawnPixels(line).empty());
}

} // namespace
