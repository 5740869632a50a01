#include "CardEntryOverlays.h"

#include "CardBand.h"
#include "CardBuilder.h"
#include "CardElements.h"
#include "Colors.h"
#include "EntryEdit.h"
#include "Fonts.h"

#include <QApplication>
#include <QPalette>

namespace card {

void addEntryOverlays(CardBand *band)
{
    int index = 0;
    for (const ElementRow &e : cardElements()) {
        if (e.kind != ElementKind::Overlay)
            continue;
        auto *edit = new EntryEdit(band);
        edit->setObjectName(QString::fromLatin1(e.name));
        edit->setGeometry(e.geometry);
        edit->setFrame(false);
        edit->setDisplayAlignment(Qt::AlignHCenter);
        edit->setFont(pixelSizedFont(QStringLiteral("Tahoma"), e.fontPoints));
        QPalette p = edit->palette();
        p.setColor(QPalette::Text, fontColour(e.fontColour));
        p.setColor(QPalette::Base, colorFromInt(kWhite));
        edit->setPalette(p);
        ++index;
    }
}

void colourEntryOverlays(QObject *owner, const BoxColours &colours)
{
    for (const QString &name : overlays()) {
        auto *edit = owner->findChild<EntryEdit *>(name);
        if (!edit)
            continue;
        QPalette p = edit->palette();
        p.setColor(QPalette::Base, colorFromInt(colours.box));
        p.setColor(QPalette::Text, colorFromInt(colours.boxText));
        edit->setPalette(p);
    }
}

} // namespace card
