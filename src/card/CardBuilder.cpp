#include "CardBuilder.h"

#include "CardElements.h"
#include "Colors.h"
#include "Fonts.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "CardPictureElement.h"


namespace card {

QColor fontColour(FontColour c)
{
    // The card's own text colour, never the desktop's: a dark colour scheme must not turn
    // the call sign white on a white card.
    return colorFromInt(c == FontColour::Navy ? kNavy : kBlack);
}

namespace {

Qt::Alignment alignment(TextAlign a)
{
    return a == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft;
}

void addText(const ElementRow &e, QObject *owner)
{
    auto *label = new CardLabel(owner);
    label->setObjectName(QString::fromLatin1(e.name));
    label->setAutoSize(false);
    label->setBounds(e.geometry.x(), e.geometry.y(), e.geometry.width(), e.geometry.height());
    label->setFont(pixelSizedFont(QStringLiteral("Tahoma"), e.fontPoints));
    label->setFontColor(fontColour(e.fontColour));
    label->setAlignment(alignment(e.align));
    label->setTransparent(e.transparent);
    // Every caption on the card is the operator's text (identity, QSO values, titles from
    // "Info.txt"): "R&R Contest Club" shows its "&".
    label->setShowAccelChar(false);
    label->setCaption(QString::fromLatin1(e.text));
    label->setAutoSize(e.autoSize);
}

void addFrame(const ElementRow &e, QObject *owner)
{
    auto *shape = new CardShape(owner);
    const QString name = QString::fromLatin1(e.name);
    shape->setObjectName(name);
    shape->setBounds(e.geometry.x(), e.geometry.y(), e.geometry.width(), e.geometry.height());
    shape->setBrush(Qt::NoBrush);
    shape->setPen(QPen(colorFromInt(name == QLatin1String("AlShape15") ? kBlack : kNavy), 1));
}

void addPicture(const ElementRow &e, QObject *owner)
{
    auto *image = new CardPictureElement(owner);
    image->setObjectName(QString::fromLatin1(e.name));
    image->setAutoSize(false);
    image->setStretch(false);
    image->setCenter(true);
    image->setBounds(e.geometry.x(), e.geometry.y(), e.geometry.width(), e.geometry.height());
}

} // namespace

void buildCard(QObject *owner)
{
    for (const ElementRow &e : cardElements()) {
        switch (e.kind) {
        case ElementKind::Picture: addPicture(e, owner); break;
        case ElementKind::Text: addText(e, owner); break;
        case ElementKind::Frame: addFrame(e, owner); break;
        case ElementKind::Overlay: break;
        }
    }
}

namespace {

template <typename T> T *element(QObject *owner, const QString &name)
{
    return owner->findChild<T *>(name);
}

void setVisible(QObject *owner, const QString &name, bool on)
{
    if (auto *e = element<CardElement>(owner, name))
        e->setVisible(on);
}

void setTransparent(QObject *owner, const QStringList &names, bool on)
{
    for (const QString &name : names)
        if (auto *e = element<CardElement>(owner, name))
            e->setTransparent(on);
}

} // namespace

void applyLookToCard(QObject *owner, const CardLook &look)
{
    setVisible(owner, QStringLiteral("alPseQSL"), look.pseQslVisible);
    setVisible(owner, QStringLiteral("alPseLoTW"), look.pseLotwVisible);
    setVisible(owner, QStringLiteral("al73"), look.show73Visible);
    setTransparent(owner, {"al73", "alPseQSL", "alPseLoTW"}, look.closingLinesTransparent);
    setTransparent(owner, {"alName", "alAddress", "alTown"}, look.addressTransparent);
    setVisible(owner, QStringLiteral("alEmail"), look.emailVisible);
    setTransparent(owner, {"alEmail"}, look.emailTransparent);
    setTransparent(owner, titleElements() + valueElements(), look.tableTransparent);
    setVisible(owner, QStringLiteral("AlShape15"), look.cardFrameVisible);
    for (const QString &name : boxFrames()) {
        if (auto *box = element<CardShape>(owner, name)) {
            box->setVisible(look.boxesVisible);
            QPen pen = box->pen();
            pen.setColor(colorFromInt(look.boxPen));
            box->setPen(pen);
        }
    }
    const QColor box = colorFromInt(look.colours.box);
    const QColor text = colorFromInt(look.colours.boxText);
    const QStringList table = titleElements() + valueElements();
    for (const QString &name : table + QStringList{"alName", "alAddress", "alTown", "alEmail",
                                                   "al73", "alPseQSL", "alPseLoTW"})
        if (auto *e = element<CardElement>(owner, name))
            e->setColor(box);
    for (const QString &name : table)
        if (auto *e = element<CardElement>(owner, name))
            e->setFontColor(text);
}

} // namespace card
