#include "TAlLabel.h"
#include "TAlShape.h"
#include "tAlBand.h"
#include "tAlImage.h"

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
    std::function<tAlControl *(QObject *owner)> make;
    std::function<void(tAlControl *)> change;
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
    auto *band = new tAlBand(&form);
    band->setAlign(alNone);
    band->setGeometry(0, 0, 300, 200);
    tAlControl *element = GetParam().make(&form);
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
std::function<tAlControl *(QObject *)> maker()
{
    return [](QObject *owner) -> tAlControl * {
        auto *element = new T(owner);
        element->setAutoSize(false);
        return element;
    };
}

tAlImage *image(tAlControl *c) { return static_cast<tAlImage *>(c); }
TAlShape *shape(tAlControl *c) { return static_cast<TAlShape *>(c); }

INSTANTIATE_TEST_SUITE_P(
    tAlControl, Repaint,
    ::testing::Values(
        RepaintRow{"caption", maker<TAlLabel>(), [](tAlControl *c) { c->setCaption("QSL"); }},
        RepaintRow{"colour", maker<TAlLabel>(), [](tAlControl *c) { c->setColor(Qt::red); }},
        RepaintRow{"transparency", maker<TAlLabel>(), [](tAlControl *c) { c->setTransparent(false); }},
        RepaintRow{"alignment", maker<TAlLabel>(), [](tAlControl *c) { c->setAlignment(Qt::AlignRight); }},
        RepaintRow{"word wrap", maker<TAlLabel>(), [](tAlControl *c) { c->setWordWrap(true); }},
        RepaintRow{"font colour", maker<TAlLabel>(), [](tAlControl *c) { c->setFontColor(Qt::red); }},
        RepaintRow{"hiding", maker<TAlLabel>(), [](tAlControl *c) { c->setVisible(false); }},
        RepaintRow{"moving away", maker<TAlLabel>(), [](tAlControl *c) { c->setLeft(0); }},
        RepaintRow{"pen", maker<TAlShape>(), [](tAlControl *c) { shape(c)->setPen(QPen(Qt::red)); }},
        RepaintRow{"brush", maker<TAlShape>(), [](tAlControl *c) { shape(c)->setBrush(Qt::NoBrush); }},
        RepaintRow{"shape", maker<TAlShape>(), [](tAlControl *c) { shape(c)->setShape(stCircle); }},
        RepaintRow{"picture", maker<tAlImage>(),
                   [](tAlControl *c) { image(c)->setPicture(TAlPicture::fromImage(QImage(4, 4, QImage::Format_RGB32))); }},
        RepaintRow{"centre", maker<tAlImage>(), [](tAlControl *c) { image(c)->setCenter(false); }},
        RepaintRow{"stretch", maker<tAlImage>(), [](tAlControl *c) { image(c)->setStretch(false); }}));

} // namespace
