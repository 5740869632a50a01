#include "CardLabel.h"
#include "CardShape.h"
#include "CardBand.h"
#include "CardPictureElement.h"
#include "TestNames.h"

#include <QApplication>
#include <QPaintEvent>
#include <functional>

#include <gtest/gtest.h>

namespace {

// Records the region of every paint event the band receives.
class PaintRecorder : public QObject
{
public:
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

struct RepaintRow
{
    const char *name;
    std::function<CardElement *(QObject *owner)> make;
    std::function<void(CardElement *)> change;
};

void PrintTo(const RepaintRow &row, std::ostream *os)
{
    *os << row.name;
}

class Repaint : public ::testing::TestWithParam<RepaintRow> {};

// The screen shows what the card is: every change of look repaints the element's area.
TEST_P(Repaint, ChangingTheLookRepaintsTheElement)
{
    QWidget form;
    form.resize(300, 200);
    auto *band = new CardBand(&form);
    band->setAlign(Align::None);
    band->setGeometry(0, 0, 300, 200);
    CardElement *element = GetParam().make(&form);
    element->setParentWidget(band);
    element->setBounds(100, 50, 40, 20);
    form.show();
    QApplication::processEvents();

    PaintRecorder recorder;
    band->installEventFilter(&recorder);
    GetParam().change(element);
    QApplication::processEvents();
    EXPECT_TRUE(recorder.painted.intersects(QRect(100, 50, 40, 20)));
}

template <class T>
std::function<CardElement *(QObject *)> maker()
{
    return [](QObject *owner) -> CardElement * {
        auto *element = new T(owner);
        element->setAutoSize(false);
        return element;
    };
}

CardPictureElement *image(CardElement *c) { return static_cast<CardPictureElement *>(c); }
CardShape *shape(CardElement *c) { return static_cast<CardShape *>(c); }

INSTANTIATE_TEST_SUITE_P(
    CardElement, Repaint,
    ::testing::Values(
        RepaintRow{"caption", maker<CardLabel>(), [](CardElement *c) { c->setCaption("QSL"); }},
        RepaintRow{"colour", maker<CardLabel>(), [](CardElement *c) { c->setColor(Qt::red); }},
        RepaintRow{"transparency", maker<CardLabel>(), [](CardElement *c) { c->setTransparent(false); }},
        RepaintRow{"alignment", maker<CardLabel>(), [](CardElement *c) { c->setAlignment(Qt::AlignRight); }},
        RepaintRow{"word wrap", maker<CardLabel>(), [](CardElement *c) { c->setWordWrap(true); }},
        RepaintRow{"font colour", maker<CardLabel>(), [](CardElement *c) { c->setFontColor(Qt::red); }},
        RepaintRow{"hiding", maker<CardLabel>(), [](CardElement *c) { c->setVisible(false); }},
        RepaintRow{"moving away", maker<CardLabel>(), [](CardElement *c) { c->setLeft(0); }},
        RepaintRow{"pen", maker<CardShape>(), [](CardElement *c) { shape(c)->setPen(QPen(Qt::red)); }},
        RepaintRow{"brush", maker<CardShape>(), [](CardElement *c) { shape(c)->setBrush(Qt::NoBrush); }},
        RepaintRow{"shape", maker<CardShape>(), [](CardElement *c) { shape(c)->setShape(ShapeType::Circle); }},
        RepaintRow{"picture", maker<CardPictureElement>(),
                   [](CardElement *c) { image(c)->setPicture(Picture::fromImage(QImage(4, 4, QImage::Format_RGB32))); }},
        RepaintRow{"centre", maker<CardPictureElement>(), [](CardElement *c) { image(c)->setCenter(false); }},
        RepaintRow{"stretch", maker<CardPictureElement>(), [](CardElement *c) { image(c)->setStretch(false); }}),
    [](const auto &info) { return testName(info.param.name); });

} // namespace
