#include "Fonts.h"
#include "RenderTestSupport.h"
#include "CardLabel.h"
#include "TestNames.h"

#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QRgb white = qRgb(255, 255, 255);

CardLabel *navyLabel(BandFixture &fixture, const QString &text, const QRect &rect)
{
    auto *label = new CardLabel(fixture.form.get());
    label->setParentWidget(fixture.band);
    label->setAutoSize(false);
    label->setFont(pixelSizedFont(QStringLiteral("Tahoma"), 8));
    label->setFontColor(Qt::black);
    label->setBounds(rect.left(), rect.top(), rect.width(), rect.height());
    label->setCaption(text);
    return label;
}

// The literal text drawn without any access-character handling, for comparison.
QImage literalText(const QString &text, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QFont font = pixelSizedFont(QStringLiteral("Tahoma"), 8);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(0, standInAscentDrop(font)), size), Qt::AlignLeft | Qt::AlignTop,
                     text);
    return image;
}

// Columns in which two images differ (-1, -1 when they are equal).
std::pair<int, int> differingColumns(const QImage &a, const QImage &b)
{
    int first = -1, last = -1;
    for (int x = 0; x < a.width(); ++x) {
        for (int y = 0; y < a.height(); ++y) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    }
    return {first, last};
}

struct AccelRow
{
    const char *caption;
    const char *drawnAs;        // the characters that appear
    const char *underlinedFrom; // prefix of drawnAs before the underlined character, or null
};

void PrintTo(const AccelRow &row, std::ostream *os)
{
    *os << row.caption;
}

class AccessCharacters : public ::testing::TestWithParam<AccelRow> {};

TEST_P(AccessCharacters, AmpersandIsHiddenAndUnderlinesTheNextCharacter)
{
    const AccelRow &row = GetParam();
    BandFixture fixture(120, 20);
    navyLabel(fixture, QString::fromUtf8(row.caption), QRect(0, 0, 120, 20));
    const QImage drawn = fixture.snapshot();
    const QImage plain = literalText(QString::fromUtf8(row.drawnAs), drawn.size());
    const auto [first, last] = differingColumns(drawn, plain);
    if (!row.underlinedFrom) {
        EXPECT_EQ(first, -1) << "drawn differently from '" << row.drawnAs << "'";
        return;
    }
    const QFontMetrics metrics(pixelSizedFont(QStringLiteral("Tahoma"), 8));
    const QString before = QString::fromUtf8(row.underlinedFrom);
    const QString through = QString::fromUtf8(row.drawnAs).left(before.size() + 1);
    ASSERT_NE(first, -1) << "nothing underlined";
    EXPECT_GE(first, metrics.horizontalAdvance(before) - 1);
    EXPECT_LE(last, metrics.horizontalAdvance(through) + 1);
}

const AccelRow accelRows[] = {
    {"Tom & Jerry", "Tom  Jerry", "Tom "},
    {"&Mode", "Mode", ""},
    {"Tom && Jerry", "Tom & Jerry", nullptr},
    {"R&&D &Lab", "R&D Lab", "R&D "},
    {"no ampersand", "no ampersand", nullptr},
};

INSTANTIATE_TEST_SUITE_P(CardLabel, AccessCharacters, ::testing::ValuesIn(accelRows),
                         [](const auto &info) { return testName(info.param.caption); });

struct FillRow
{
    const char *name;
    bool transparent;
    QRgb expected; // inside the element, away from the text
};

void PrintTo(const FillRow &row, std::ostream *os)
{
    *os << row.name;
}

class BoxFill : public ::testing::TestWithParam<FillRow> {};

TEST_P(BoxFill, OnlyAnOpaqueElementShowsItsColour)
{
    BandFixture fixture(100, 40);
    fixture.band->setColor(QColor(0, 128, 0));
    CardLabel *label = navyLabel(fixture, QStringLiteral("x"), QRect(10, 10, 50, 15));
    label->setColor(QColor(255, 255, 0));
    label->setTransparent(GetParam().transparent);
    const QImage image = fixture.snapshot();
    EXPECT_EQ(image.pixel(55, 20), GetParam().expected);
    EXPECT_EQ(image.pixel(10, 24), GetParam().expected);
    EXPECT_EQ(image.pixel(60, 20), qRgb(0, 128, 0)); // just outside
    EXPECT_EQ(image.pixel(9, 10), qRgb(0, 128, 0));
}

INSTANTIATE_TEST_SUITE_P(CardLabel, BoxFill,
                         ::testing::Values(FillRow{"opaque", false, qRgb(255, 255, 0)},
                                           FillRow{"transparent", true, qRgb(0, 128, 0)}),
                         [](const auto &info) { return testName(info.param.name); });

struct AlignRow
{
    const char *name;
    Qt::Alignment alignment;
};

void PrintTo(const AlignRow &row, std::ostream *os)
{
    *os << row.name;
}

class TextAlignment : public ::testing::TestWithParam<AlignRow> {};

TEST_P(TextAlignment, TextSitsOnTheWidthFromTheTop)
{
    BandFixture fixture(140, 40);
    CardLabel *label = navyLabel(fixture, QStringLiteral("Mode"), QRect(10, 5, 100, 30));
    label->setAlignment(GetParam().alignment);
    const QRect ink = paintedBounds(fixture.snapshot());
    const int textWidth = QFontMetrics(label->font()).horizontalAdvance(QStringLiteral("Mode"));
    const int ascent = QFontMetrics(label->font()).ascent();
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_LE(ink.top(), 5 + ascent - 5) << "text is not laid out from the top";
    const int leftGap = ink.left() - 10;
    const int rightGap = 109 - ink.right();
    if (GetParam().alignment == Qt::AlignLeft)
        EXPECT_LE(leftGap, 2);
    else if (GetParam().alignment == Qt::AlignRight)
        EXPECT_LE(rightGap, 2);
    else
        EXPECT_LE(std::abs(leftGap - rightGap), 3);
    EXPECT_GE(ink.width(), textWidth - 3);
}

INSTANTIATE_TEST_SUITE_P(CardLabel, TextAlignment,
                         ::testing::Values(AlignRow{"left", Qt::AlignLeft},
                                           AlignRow{"centre", Qt::AlignHCenter},
                                           AlignRow{"right", Qt::AlignRight}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CardLabel, TextIsClippedToTheElement)
{
    BandFixture fixture(200, 40);
    navyLabel(fixture, QStringLiteral("Your City, State  Zip and much more"), QRect(20, 10, 40, 6));
    const QRect ink = paintedBounds(fixture.snapshot());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(20, 10, 40, 6).contains(ink)) << ink.x() << "," << ink.y() << " "
                                                    << ink.width() << "x" << ink.height();
}

// A value wider than its cell is narrowed, or cut with "…" at its end; centred, it never loses
// its first letters: its ink starts at the cell's left edge, not before it, and leaves the
// edge's column free.
struct WideValueRow
{
    const char *name;
    const char *caption;
    int width;
};

void PrintTo(const WideValueRow &row, std::ostream *os)
{
    *os << row.name;
}

class WideValue : public ::testing::TestWithParam<WideValueRow> {};

TEST_P(WideValue, KeepsItsBeginningInsideTheCell)
{
    const WideValueRow &row = GetParam();
    BandFixture fixture(200, 30);
    CardLabel *label = navyLabel(fixture, QString::fromUtf8(row.caption), QRect(50, 5, row.width, 15));
    label->setAlignment(Qt::AlignHCenter);
    const QRect ink = paintedBounds(fixture.snapshot());
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_GE(ink.left(), 51);
    EXPECT_LE(ink.right(), 50 + row.width - 2);
}

INSTANTIATE_TEST_SUITE_P(CardLabel, WideValue,
                         ::testing::Values(WideValueRow{"PowerCellNarrowed", "70% Cut Dipole", 59},
                                           WideValueRow{"PowerCellCut", "70% Cut Dipole, 100 W, 20 m", 59},
                                           WideValueRow{"Fits", "100W", 59}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(CardLabel, WordWrapBreaksAtWordsOnlyWhenOn)
{
    BandFixture fixture(200, 60);
    CardLabel *label = navyLabel(fixture, QStringLiteral("Pse QSL via bureau"), QRect(0, 0, 60, 60));
    const int oneLine = paintedBounds(fixture.snapshot()).height();
    label->setWordWrap(true);
    const int wrapped = paintedBounds(fixture.snapshot()).height();
    EXPECT_GT(wrapped, oneLine + QFontMetrics(label->font()).height() / 2);
}

TEST(CardLabel, DisabledTextIsDrawnTwiceOffsetByOnePixel)
{
    BandFixture fixture(100, 30);
    CardLabel *label = navyLabel(fixture, QStringLiteral("l"), QRect(0, 0, 100, 30));
    label->setEnabled(false);
    fixture.band->setColor(QColor(0, 0, 255));
    const QRect ink = paintedBounds(fixture.snapshot(), qRgb(0, 0, 255));
    label->setEnabled(true);
    const QRect plainInk = paintedBounds(fixture.snapshot(), qRgb(0, 0, 255));
    EXPECT_EQ(ink.width(), plainInk.width() + 1);
    EXPECT_EQ(ink.height(), plainInk.height() + 1);
}

// Geometry from a damaged data file: every edge stays a number the card can compute with,
// even when the text is aligned to the right edge and the size follows the text.
struct ExtremeGeometry {
    const char *name;
    int value;
    int kept;
};

void PrintTo(const ExtremeGeometry &row, std::ostream *os) { *os << row.name; }

class ExtremeGeometries : public ::testing::TestWithParam<ExtremeGeometry> {};

TEST_P(ExtremeGeometries, AreKeptWithinReach)
{
    BandFixture fixture;
    CardLabel *label = navyLabel(fixture, QStringLiteral("Mode"), QRect(10, 5, 100, 30));
    const int value = GetParam().value;
    label->setLeft(value);
    label->setTop(value);
    label->setWidth(value);
    label->setHeight(value);
    EXPECT_EQ(label->left(), GetParam().kept);
    EXPECT_EQ(label->top(), GetParam().kept);
    EXPECT_EQ(label->width(), GetParam().kept);
    EXPECT_EQ(label->height(), GetParam().kept);
    label->setBounds(value, value, value, value);
    EXPECT_EQ(label->geometry().right(), 2 * GetParam().kept - 1);
    label->setAlignment(Qt::AlignRight);
    label->setAutoSize(true);
    EXPECT_LT(std::abs(label->geometry().right()), 3 * (1 << 20));
}

INSTANTIATE_TEST_SUITE_P(CardLabel, ExtremeGeometries, ::testing::Values(
    ExtremeGeometry{"Largest", 2147483647, 1 << 20},
    ExtremeGeometry{"Smallest", -2147483647 - 1, -(1 << 20)},
    ExtremeGeometry{"Ordinary", 120, 120}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
