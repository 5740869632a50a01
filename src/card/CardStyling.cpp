#include "CardStyling.h"

#include "CardElements.h"
#include "CardLabel.h"
#include "Colors.h"
#include "DataFolder.h"
#include "Fonts.h"
#include "ItalicLean.h"
#include "QsoFields.h"
#include "StationFiles.h"

namespace card {

namespace {

CardLabel *label(const QObject *owner, const QString &name)
{
    return owner->findChild<CardLabel *>(name);
}

int pixelsToPoints(int pixels)
{
    return qRound(pixels * 72.0 / 96.0);
}

// Lays the name, address and town lines out for the name font's size; returns the step
// between two lines, or nullopt for a size without a layout.
std::optional<int> layoutNameLines(QObject *owner)
{
    CardLabel *name = label(owner, QStringLiteral("alName"));
    const std::optional<NameLineLayout> layout =
        nameLineLayout(pixelsToPoints(name->font().pixelSize()));
    if (!layout)
        return std::nullopt;
    CardLabel *address = label(owner, QStringLiteral("alAddress"));
    CardLabel *town = label(owner, QStringLiteral("alTown"));
    for (CardLabel *line : {name, address, town})
        line->setHeight(layout->height);
    const NameBlockTops tops = nameBlockTops(name->top(), layout->step);
    address->setTop(tops.address);
    town->setTop(tops.town);
    return layout->step;
}

} // namespace

QList<CardLabel *> textElementsOf(const QObject *owner)
{
    QList<CardLabel *> labels;
    for (const ElementRow &row : cardElements())
        if (row.kind == ElementKind::Text)
            labels << label(owner, QString::fromLatin1(row.name));
    return labels;
}

int applyStyleChange(QObject *owner, StyleGroup group, const StyleChange &change,
                     int nameLineStep)
{
    for (const QString &name : styleGroupNames(group).elements) {
        CardLabel *element = label(owner, name);
        QFont font = element->font();
        if (change.face)
            font.setFamily(*change.face);
        font.setBold(change.bold);
        if (change.underline)
            font.setUnderline(*change.underline);
        if (change.points)
            font.setPixelSize(pointsToPixels(*change.points));
        if (change.italic)
            font.setItalic(*change.italic);
        element->setFont(font);
        if (change.colour)
            element->setFontColor(colorFromInt(*change.colour));
        if (change.italic) {
            // Measured again first: the lean is added to the upright width once, however
            // often the style is applied.
            if (element->autoSize())
                element->loaded();
            element->setWidth(widthWithLean(element->width(), *change.italic));
        }
    }
    if (change.layoutNameLines)
        return layoutNameLines(owner).value_or(nameLineStep);
    return nameLineStep;
}

void applyNameBlockWidth(QObject *owner, int width)
{
    for (const QString &name : styleGroupNames(StyleGroup::Name).elements)
        label(owner, name)->setWidth(width);
}

void applyPrefsGeometry(QObject *owner, const QStringList &lines)
{
    const QList<CardLabel *> labels = textElementsOf(owner);
    readPrefs(lines, labels.size(), [&labels](int i, GeometryField field, int value) {
        CardLabel *element = labels.at(i);
        switch (field) {
        case GeometryField::Left: element->setLeft(value); break;
        case GeometryField::Top: element->setTop(value); break;
        case GeometryField::Height: element->setHeight(value); break;
        case GeometryField::Width: element->setWidth(value); break;
        }
    });
}

QStringList prefsGeometryLines(const QObject *owner)
{
    std::vector<ElementGeometry> geometries;
    for (const CardLabel *label : textElementsOf(owner))
        geometries.push_back({label->left(), label->top(), label->height(), label->width()});
    return prefsLines(geometries);
}

void copyIdentityTexts(QObject *owner, const QStringList &texts)
{
    for (int i = 0; i < identityElements().size() && i < texts.size(); ++i)
        label(owner, identityElements()[i])->setCaption(texts[i]);
}

void applyTableTitles(QObject *owner, const QStringList &infoLines)
{
    for (int i = 0; i < kQsoFieldCount; ++i)
        label(owner, QString::fromLatin1(qsoFields()[i].titleElement))
            ->setCaption(lineAt(infoLines, i));
}

} // namespace card
