#include "DesignApplication.h"

#include "CardBuilder.h"
#include "CardDesign.h"
#include "CardDocument.h"
#include "CardElements.h"
#include "CardLabel.h"
#include "CardPictureElement.h"
#include "CardShape.h"
#include "CardStyling.h"
#include "KartelloError.h"
#include "SavedCard.h"
#include "StationFiles.h"

#include <QDateTime>
#include <QFileInfo>
#include <QMutex>

namespace card {

namespace {

void placeTextElements(const TextPlaces &places, CardDocument &document)
{
    const QList<CardLabel *> labels = textElementsOf(&document);
    for (int i = 0; i < labels.size(); ++i) {
        for (int f = 0; f < kPlaceFieldsPerElement; ++f) {
            const size_t at = size_t(i * kPlaceFieldsPerElement + f);
            if (at >= places.size() || !places[at])
                continue;
            CardLabel *element = labels.at(i);
            const int value = *places[at];
            switch (GeometryField(f)) {
            case GeometryField::Left: element->setLeft(value); break;
            case GeometryField::Top: element->setTop(value); break;
            case GeometryField::Height: element->setHeight(value); break;
            case GeometryField::Width: element->setWidth(value); break;
            }
        }
    }
}

// The picture at path, kept while the file stays as it is: the window applies its design at
// every change of a control.
Picture backgroundPictureOf(const QString &path)
{
    struct Kept {
        QString path;
        QDateTime modified;
        qint64 size = -1;
        Picture picture;
    };
    static QMutex mutex;
    static Kept kept;
    const QFileInfo file(path);
    QMutexLocker lock(&mutex);
    if (kept.path == path && kept.modified == file.lastModified() && kept.size == file.size())
        return kept.picture;
    Picture picture = loadBackgroundPicture(path);
    kept = {path, file.lastModified(), file.size(), picture};
    return picture;
}

} // namespace

StyleChange styleChangeOf(StyleGroup group, const TextStyle &style)
{
    StyleChange change;
    change.face = style.face;
    change.points = style.points;
    change.colour = style.colour;
    change.bold = style.bold;
    if (group == StyleGroup::CallSign) {
        change.italic = style.italic;
        change.underline = style.underline;
    }
    change.layoutNameLines = group == StyleGroup::Name;
    return change;
}

QStringList applyDesign(const CardDesign &design, CardDocument &document)
{
    QStringList problems;
    for (StyleGroup group : {StyleGroup::Info, StyleGroup::CallSign, StyleGroup::Name})
        document.nameLineStep = applyStyleChange(&document, group,
                                                 styleChangeOf(group, design.style(group)),
                                                 document.nameLineStep);
    if (design.nameWidth)
        applyNameBlockWidth(&document, *design.nameWidth);
    const QStringList &titles = titleElements();
    for (int i = 0; i < titles.size() && i < design.tableTitles.size(); ++i)
        document.element<CardLabel>(titles[i])->setCaption(design.tableTitles[i]);
    if (auto *frame = document.element<CardShape>(QStringLiteral("AlShape15")))
        frame->setBounds(0, 0, frame->width(), frame->height());

    // The identity elements are measured for the identity edits' own names before the places
    // are read, and for the operator's identity after them, as the window starts.
    copyIdentityTexts(&document, identityEdits());
    placeTextElements(design.places, document);
    if (!design.backgroundPicture.isEmpty()) {
        try {
            document.element<CardPictureElement>(QStringLiteral("tAlImage1"))
                ->setPicture(backgroundPictureOf(design.backgroundPicture));
        } catch (const KartelloError &e) {
            problems << e.text();
        }
    }
    copyIdentityTexts(&document, design.identity);
    applyStyleChange(&document, StyleGroup::CallSign,
                     styleChangeOf(StyleGroup::CallSign, design.callSign), document.nameLineStep);

    const CardLook look = applyCardOptions(design.options, document.boxColours);
    document.boxColours = look.colours;
    document.dateStyle = design.options.isoDate ? CardDateStyle::Iso : CardDateStyle::AsTyped;
    applyLookToCard(&document, look);
    return problems;
}

} // namespace card
