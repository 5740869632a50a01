#include "RenderTestSupport.h"
#include "CardShape.h"
#include "TestNames.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

struct ShapeRow
{
    const char *name;
    ShapeType shape;
    int width, height;
    QRect bounds;                       // every painted pixel lies here, edges reached
    std::vector<QPoint> blank;          // pixels that stay white
    std::vector<QPoint> inked;          // pixels that carry the pen
};

void PrintTo(const ShapeRow &row, std::ostream *os)
{
    *os << row.name;
}

class ShapePixels : public ::testing::TestWithParam<ShapeRow> {};

TEST_P(ShapePixels, FigureCoversExactlyItsPixels)
{
    const ShapeRow &row = GetParam();
    BandFixture fixture(140, 60);
    auto *shape = new CardShape(fixture.form.get());
    shape->setParentWidget(fixture.band);
    shape->setBounds(10, 10, row.width, row.height);
    shape->setShape(row.shape);
    shape->setBrush(Qt::NoBrush);

    const QImage image = fixture.snapshot().copy(10, 10, row.width, row.height);
    EXPECT_EQ(paintedBounds(image), row.bounds) << row.name;
    for (const QPoint &p : row.blank)
        EXPECT_FALSE(isPainted(image, p.x(), p.y())) << row.name << " at " << p.x() << "," << p.y();
    for (const QPoint &p : row.inked)
        EXPECT_EQ(image.pixel(p), qRgb(0, 0, 0)) << row.name << " at " << p.x() << "," << p.y();
}

using S = ShapeType;
const ShapeRow shapeRows[] = {
    {"frame one pixel high is a full-width line", S::Rectangle, 40, 1, QRect(0, 0, 40, 1), {},
     {{0, 0}, {20, 0}, {39, 0}}},
    {"frame one pixel wide is a vertical line", S::Rectangle, 1, 30, QRect(0, 0, 1, 30), {},
     {{0, 0}, {0, 29}}},
    {"frame of one pixel is one pixel", S::Rectangle, 1, 1, QRect(0, 0, 1, 1), {}, {{0, 0}}},
    {"rectangle outline lies inside the element", S::Rectangle, 20, 10, QRect(0, 0, 20, 10),
     {{10, 5}}, {{0, 0}, {19, 9}, {19, 0}, {0, 9}}},
    {"square is centred on the wider side", S::Square, 100, 40, QRect(30, 0, 40, 40),
     {{50, 20}}, {{30, 0}, {69, 39}}},
    {"square in a one-pixel column is a dot in its middle", S::Square, 1, 30,
     QRect(0, 14, 1, 1), {}, {{0, 14}}},
    {"circle of 100 x 40 spans x 30 to 70", S::Circle, 100, 40, QRect(30, 0, 40, 40),
     {{30, 0}, {69, 39}, {50, 20}}, {{30, 20}, {69, 20}, {50, 0}, {50, 39}}},
    {"ellipse fills the element's box", S::Ellipse, 100, 40, QRect(0, 0, 100, 40),
     {{0, 0}, {99, 39}}, {{0, 20}, {99, 20}, {50, 0}, {50, 39}}},
    {"round rect of 108 x 16 has 4 x 4 corners", S::RoundRect, 108, 16, QRect(0, 0, 108, 16),
     {{0, 0}, {107, 15}}, {{2, 0}, {0, 2}, {105, 15}, {107, 13}}},
    {"round square is centred", S::RoundSquare, 60, 20, QRect(20, 0, 20, 20), {{20, 0}},
     {{30, 0}, {20, 10}}},
};

INSTANTIATE_TEST_SUITE_P(CardShape, ShapePixels, ::testing::ValuesIn(shapeRows),
                         [](const auto &info) { return testName(info.param.name); });

TEST(CardShape, RepaintsWithNewPenAndKeepsBrushFill)
{
    BandFixture fixture(80, 40);
    auto *shape = new CardShape(fixture.form.get());
    shape->setParentWidget(fixture.band);
    shape->setBounds(0, 0, 30, 20);
    shape->setPen(QPen(Qt::red));
    shape->setBrush(QBrush(Qt::yellow));
    const QImage image = fixture.snapshot();
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(15, 10), qRgb(255, 255, 0));
    EXPECT_EQ(image.pixel(30, 10), qRgb(255, 255, 255));
}

} // namespace
