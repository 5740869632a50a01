#include "FittedCaption.h"
#include "GroupFrame.h"

#include <QFontMetrics>
#include <QImage>
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

// The rightmost column of a widget's picture that holds dark ink; -1 when there is none.
int lastInkColumn(QWidget &widget)
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    for (int x = image.width() - 1; x >= 0; --x)
        for (int y = 0; y < image.height(); ++y)
            if (qGray(image.pixel(x, y)) < 128)
                return x;
    return -1;
}

struct LabelRow {
    const char *name;
    int spare;       // width offered beyond the caption's natural width (negative: short)
    bool inkAtEdge;  // ink reaches the last column, as when the caption is cut off
};

void PrintTo(const LabelRow &row, std::ostream *os) { *os << row.name; }

class LabelFit : public ::testing::TestWithParam<LabelRow>
{
};

// A label too narrow for its caption shows the whole caption, narrowed, instead of cutting
// off its end ("Host Name:" losing its colon).
TEST_P(LabelFit, WholeCaptionStaysInside)
{
    const LabelRow &row = GetParam();
    const QString text = QStringLiteral("Host Name:");
    FittedLabel label(text);
    label.setFont(captionFont());
    label.setAutoFillBackground(false);
    label.resize(QFontMetrics(captionFont()).horizontalAdvance(text) + row.spare, 14);
    QLabel plain(text);
    plain.setFont(captionFont());
    plain.resize(label.size());
    const int last = lastInkColumn(label);
    ASSERT_GE(last, 0);
    EXPECT_EQ(row.inkAtEdge, last == label.width() - 1) << last;
    if (row.spare < 0) {
        EXPECT_EQ(lastInkColumn(plain), plain.width() - 1) << "the plain label should cut it off";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LabelFit,
    ::testing::Values(LabelRow{"Roomy", 6, false}, LabelRow{"SixPixelsShort", -6, false},
                      LabelRow{"TenPixelsShort", -10, false}),
    [](const auto &info) { return std::string(info.param.name); });

// A caption too long even for the narrowest face ends in "…" inside its place, and the whole
// caption becomes the tooltip; one that fits keeps its text and gets no tooltip.
struct CutRow {
    const char *name;
    const char *caption;
    int width;
    bool cut;
};

void PrintTo(const CutRow &row, std::ostream *os) { *os << row.name; }

class CaptionCut : public ::testing::TestWithParam<CutRow>
{
};

TEST_P(CaptionCut, EndsInEllipsisWithTheWholeCaptionAsTip)
{
    const CutRow &row = GetParam();
    const QString caption = QString::fromUtf8(row.caption);
    FittedRadioButton radio(caption);
    radio.setFont(captionFont());
    radio.resize(row.width, 17);
    (void)radio.grab();
    EXPECT_EQ(radio.toolTip(), row.cut ? caption : QString());
    FittedLabel label(caption);
    label.setFont(captionFont());
    label.resize(row.width, 14);
    (void)label.grab();
    EXPECT_EQ(label.toolTip(), row.cut ? caption : QString());
    const QFont fitted = fittedCaptionFont(captionFont(), caption, row.width);
    const QString shown = fittedCaptionText(fitted, caption, row.width);
    EXPECT_EQ(shown.endsWith(QChar(0x2026)), row.cut) << shown.toStdString();
    EXPECT_LE(QFontMetrics(fitted).horizontalAdvance(shown), row.cut ? row.width : 10000);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaptionCut,
    ::testing::Values(CutRow{"Fits", "100W", 80, false},
                      CutRow{"PowerWithPep", "100W PEP", 30, true},
                      CutRow{"DigitalMode", "OLIVIA 8/250", 40, true}),
    [](const auto &info) { return std::string(info.param.name); });

// A tooltip the control was given stays; the caption's tooltip goes once the caption fits.
TEST(CaptionCut, OwnTooltipStaysAndCaptionTipGoes)
{
    FittedLabel label(QStringLiteral("OLIVIA 8/250"));
    label.setFont(captionFont());
    label.resize(30, 14);
    (void)label.grab();
    EXPECT_EQ(label.toolTip(), QStringLiteral("OLIVIA 8/250"));
    label.resize(300, 14);
    (void)label.grab();
    EXPECT_EQ(label.toolTip(), QString());
    FittedLabel hinted(QStringLiteral("OLIVIA 8/250"));
    hinted.setFont(captionFont());
    hinted.setToolTip(QStringLiteral("Mode"));
    hinted.resize(30, 14);
    (void)hinted.grab();
    EXPECT_EQ(hinted.toolTip(), QStringLiteral("Mode"));
}

} // namespace
