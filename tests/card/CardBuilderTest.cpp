#include "CardBuilder.h"
#include "CardDocument.h"
#include "CardElements.h"
#include "Colors.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "CardStyling.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <functional>

using namespace card;

namespace {

struct PaintedCard {
    CardDocument document;
    QImage picture()
    {
        QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        document.paint(painter);
        return image;
    }
};

CardLook firstRunCardLook()
{
    CardOptions o;
    o.background = kFirstRunBackground;
    o.interfaceChoice = kFirstRunInterface;
    return applyCardOptions(o, {});
}

} // namespace

// The card paints its elements in the order they were made, and "prefs.txt" depends on that
// order too.
TEST(CardBuilder, ElementsArePaintedInCreationOrderWithTheirTableValues)
{
    PaintedCard card;
    QStringList painted;
    for (CardElement *e : card.document.elements())
        painted << e->objectName();
    QStringList expected;
    for (const ElementRow &e : cardElements())
        if (e.kind != ElementKind::Overlay)
            expected << QString::fromLatin1(e.name);
    EXPECT_EQ(expected, painted);

    for (const ElementRow &e : cardElements()) {
        const QString name = QString::fromLatin1(e.name);
        if (e.kind == ElementKind::Overlay)
            continue;   // the window's own edits
        auto *element = card.document.findChild<CardElement *>(name);
        ASSERT_NE(nullptr, element) << e.name;
        if (!e.autoSize)
            EXPECT_EQ(e.geometry, element->geometry()) << e.name;
        else
            EXPECT_EQ(e.geometry.topLeft(), element->geometry().topLeft()) << e.name;
        if (e.kind == ElementKind::Text) {
            EXPECT_EQ(QString::fromLatin1(e.text), element->caption()) << e.name;
            EXPECT_EQ(e.transparent, element->transparent()) << e.name;
            EXPECT_EQ(e.autoSize, element->autoSize()) << e.name;
        }
    }
}

// Pixels of the card with the first-run options: yellow cells with navy titles, no frames.
TEST(CardBuilder, FirstRunLookPaintsYellowCellsWithoutFrames)
{
    PaintedCard card;
    applyLookToCard(&card.document, firstRunCardLook());
    const QImage image = card.picture();
    const QRgb yellow = qRgb(255, 255, 0);
    EXPECT_EQ(yellow, image.pixel(8, 248));           // inside "Confirming QSO with"
    EXPECT_EQ(yellow, image.pixel(500, 275));         // inside the signal value
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(6, 250));   // where box 1 would be
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(0, 100));   // where the card frame would be
    EXPECT_EQ(yellow, colorFromInt(65535).rgb());
}

TEST(CardBuilder, FramesShowWithTheirPens)
{
    PaintedCard card;
    CardOptions o;
    o.background = 8;
    o.frameInfo = true;
    o.frameCard = true;
    // Start-up moves the card frame from its place off the band onto the card.
    auto *frame = card.document.findChild<CardShape *>("AlShape15");
    frame->setBounds(0, 0, frame->width(), frame->height());
    applyLookToCard(&card.document, applyCardOptions(o, {}));
    const QImage image = card.picture();
    EXPECT_EQ(qRgb(255, 255, 0), image.pixel(6, 250));     // box 1 outline, yellow with B8
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(0, 100));          // card frame, black
    EXPECT_EQ(qRgb(0, 0, 255), image.pixel(60, 250 - 2));   // title cell in blue
}

TEST(CardBuilder, HiddenAndTransparentElementsLetTheBandShow)
{
    PaintedCard card;
    CardOptions o;
    o.background = kFirstRunBackground;
    o.transpTitles = true;
    applyLookToCard(&card.document, applyCardOptions(o, {}));
    const QImage image = card.picture();
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(8, 248));
    // The address block keeps its box colour.
    EXPECT_EQ(qRgb(255, 255, 0), image.pixel(270, 90));
}

// A card painted after the design changed shows the change: the picture kept of the design
// without the values must not outlive an edit of any other element.
struct CardChange {
    const char *name;
    std::function<void(CardDocument &)> edit;
};

void PrintTo(const CardChange &row, std::ostream *os) { *os << row.name; }

class KeptPicture : public ::testing::TestWithParam<CardChange> {};

TEST_P(KeptPicture, FollowsEveryEditOfTheDesign)
{
    CardDocument document;
    document.setQso(QsoRecord{"DL1ABC", "2026-12-08", "17:05", "14.074", "FT8", "100", "-10"});
    const QImage before = document.paintCard();
    GetParam().edit(document);
    const QImage after = document.paintCard();
    QImage expected(after.size(), QImage::Format_RGB32);
    {
        QPainter painter(&expected);
        document.paint(painter);
    }
    EXPECT_NE(before, after);
    EXPECT_EQ(expected, after);
}

INSTANTIATE_TEST_SUITE_P(
    Edits, KeptPicture,
    ::testing::Values(
        CardChange{"identity", [](CardDocument &d) {
                       d.element<CardLabel>("alCallSign")->setCaption("W1AW");
                   }},
        CardChange{"title", [](CardDocument &d) {
                       d.element<CardLabel>("AlLabel5")->setCaption("Band");
                   }},
        CardChange{"frameShown", [](CardDocument &d) {
                       d.element<CardShape>("AlShape15")->setBounds(0, 0, 511, 280);
                   }},
        CardChange{"valueMoved", [](CardDocument &d) {
                       d.element("alMode")->setLeft(d.element("alMode")->left() + 9);
                   }}),
    [](const auto &info) { return std::string(info.param.name); });

// What a document writes to "prefs.txt" it reads back to the same places, element by element
// and field by field (height comes before width in the file).
TEST(CardBuilder, PrefsGeometryReadsBackWhatItWrites)
{
    CardDocument written;
    QStringList lines = prefsGeometryLines(&written);
    ASSERT_EQ(lines.size(), 4 * textElementNames().size());
    for (int i = 0; i < lines.size(); ++i)
        lines[i] = QString::number(lines[i].toInt() + 1 + i % 4);
    CardDocument read;
    applyPrefsGeometry(&read, lines);
    EXPECT_EQ(prefsGeometryLines(&read), lines);
    const CardElement *name = read.element("alName");
    const int first = 4 * int(textElementNames().indexOf("alName"));
    EXPECT_EQ(QRect(name->left(), name->top(), name->width(), name->height()),
              QRect(lines[first].toInt(), lines[first + 1].toInt(), lines[first + 3].toInt(),
                    lines[first + 2].toInt()));
}
