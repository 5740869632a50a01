#include "PixelLine.h"

#include <gtest/gtest.h>

namespace {

struct LineCase {
    const char *name;
    QPoint from;
    QPoint to;
    std::vector<QPoint> pixels;
};

class PixelLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(PixelLineTest, LeavesOutTheEndPoint)
{
    const LineCase &c = GetParam();
    EXPECT_EQ(linePixels(c.from, c.to), c.pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PixelLineTest,
    ::testing::Values(
        LineCase{"Empty", {3, 3}, {3, 3}, {}},
        LineCase{"Right", {0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}}},
        LineCase{"Left", {3, 1}, {-1, 1}, {{3, 1}, {2, 1}, {1, 1}, {0, 1}}},
        LineCase{"Down", {2, 0}, {2, 2}, {{2, 0}, {2, 1}}},
        LineCase{"Up", {0, 2}, {0, 0}, {{0, 2}, {0, 1}}},
        LineCase{"Diagonal", {0, 3}, {3, 0}, {{0, 3}, {1, 2}, {2, 1}}},
        LineCase{"Shallow", {0, 0}, {4, 2}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        LineCase{"Steep", {0, 0}, {1, 5}, {{0, 0}, {0, 1}, {0, 2}, {1, 3}, {1, 4}}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
