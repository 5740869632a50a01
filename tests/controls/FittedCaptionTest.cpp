#include "FittedCaption.h"
#include "GroupFrame.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

QFont captionFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(11);
    return font;
}

struct FitRow {
    const char *name;
    const char *text;
    int spare;          // width offered beyond the caption's natural width (negative: short)
    bool narrowed;
};

void PrintTo(const FitRow &row, std::ostream *os) { *os << row.name; }

class CaptionFit : public ::testing::TestWithParam<FitRow>
{
};

TEST_P(CaptionFit, NarrowsOnlyWhatDoesNotFit)
{
    const FitRow &row = GetParam();
    const QFont font = captionFont();
    const QString text = QString::fromLatin1(row.text);
    const int width = QFontMetrics(font).horizontalAdvance(text) + row.spare;
    const QFont fitted = fittedCaptionFont(font, text, width);
    EXPECT_EQ(row.narrowed, fitted.stretch() != font.stretch());
    if (row.narrowed)
        EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(text), width);
    EXPECT_EQ(font.pixelSize(), fitted.pixelSize());
    EXPECT_EQ(font.family(), fitted.family());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaptionFit,
    ::testing::Values(FitRow{"Fits", "Pse QSL", 0, false}, FitRow{"Roomy", "100W", 10, false},
                      FitRow{"OnePixelShort", "Pse QSL", -1, true},
                      FitRow{"FourPixelsShort", "1500W", -4, true},
                      FitRow{"Empty", "", -5, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CaptionFit, NeverNarrowerThanSeventyPercent)
{
    const QFont fitted = fittedCaptionFont(captionFont(), QStringLiteral("A much longer caption"), 5);
    EXPECT_EQ(70, fitted.stretch());
}

TEST(GroupFrameGeometry, TopLineAtTheMiddleOfTheCaption)
{
    struct Row { QSize size; int captionHeight; QRect frame; };
    const Row rows[] = {
        {{198, 76}, 13, {0, 6, 198, 70}},
        {{289, 76}, 14, {0, 7, 289, 69}},
        {{100, 40}, 0, {0, 0, 100, 40}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.frame, GroupFrame::frameRect(row.size, row.captionHeight));
}

} // namespace
