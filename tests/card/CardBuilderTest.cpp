#include "CardBuilder.h"
#include "CardElements.h"
#include "Colors.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "EntryEdit.h"
#include "CardBand.h"

#include <QImage>
#include <QPainter>
#include <QWidget>
#include <gtest/gtest.h>

using namespace card;

namespace {

struct CardOnBand {
    QWidget form;
    CardBand *band = nullptr;
    CardOnBand()
    {
        band = new CardBand(&form);
        band->setAlign(Align::None);
        band->setGeometry(0, 0, kBandWidth, kBandHeight);
        buildCard(band, &form);
    }
    QImage picture()
    {
        QImage image(kCardWidth, kCardHeight, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        band->paintElements(painter);
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

// The band paints its elements in the order they were put on it, and "prefs.txt" depends on
// that order too.
TEST(CardBuilder, ElementsLieOnTheBandInCreationOrderWithTheirTableValues)
{
    CardOnBand card;
    QStringList painted;
    for (CardElement *e : card.band->elements())
        painted << e->objectName();
    QStringList expected;
    for (const ElementRow &e : cardElements())
        if (e.kind != ElementKind::Overlay)
            expected << QString::fromLatin1(e.name);
    EXPECT_EQ(expected, painted);

    for (const ElementRow &e : cardElements()) {
        const QString name = QString::fromLatin1(e.name);
        if (e.kind == ElementKind::Overlay) {
            auto *edit = card.form.findChild<EntryEdit *>(name);
            ASSERT_NE(nullptr, edit) << e.name;
            EXPECT_EQ(e.geometry, edit->geometry()) << e.name;
            EXPECT_EQ(card.band, edit->parentWidget());
            continue;
        }
        auto *element = card.form.findChild<CardElement *>(name);
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
    CardOnBand card;
    applyLookToCard(&card.form, firstRunCardLook());
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
    CardOnBand card;
    CardOptions o;
    o.background = 8;
    o.frameInfo = true;
    o.frameCard = true;
    // Start-up moves the card frame from its place off the band onto the card.
    auto *frame = card.form.findChild<CardShape *>("AlShape15");
    frame->setBounds(0, 0, frame->width(), frame->height());
    applyLookToCard(&card.form, applyCardOptions(o, {}));
    const QImage image = card.picture();
    EXPECT_EQ(qRgb(255, 255, 0), image.pixel(6, 250));     // box 1 outline, yellow with B8
    EXPECT_EQ(qRgb(0, 0, 0), image.pixel(0, 100));          // card frame, black
    EXPECT_EQ(qRgb(0, 0, 255), image.pixel(60, 250 - 2));   // title cell in blue
}

TEST(CardBuilder, HiddenAndTransparentElementsLetTheBandShow)
{
    CardOnBand card;
    CardOptions o;
    o.background = kFirstRunBackground;
    o.transpTitles = true;
    applyLookToCard(&card.form, applyCardOptions(o, {}));
    const QImage image = card.picture();
    EXPECT_EQ(qRgb(255, 255, 255), image.pixel(8, 248));
    // The address block keeps its box colour.
    EXPECT_EQ(qRgb(255, 255, 0), image.pixel(270, 90));
}
