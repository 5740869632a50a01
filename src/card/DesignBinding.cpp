#include "DesignBinding.h"

#include "CardDocument.h"
#include "CardElements.h"
#include "CardLabel.h"
#include "CardStyling.h"
#include "DesignApplication.h"
#include "StationFiles.h"

namespace {

constexpr int kShippedNamePoints = 8;

int placeIndex(const QString &element, GeometryField field)
{
    const int i = int(card::textElementNames().indexOf(element));
    return i < 0 ? -1 : i * card::kPlaceFieldsPerElement + int(field);
}

bool placesGiven(const card::CardDesign &design)
{
    return design.places.size()
           == size_t(card::textElementNames().size() * card::kPlaceFieldsPerElement);
}

void setPlace(card::CardDesign &design, const QString &element, GeometryField field, int value)
{
    const int at = placeIndex(element, field);
    if (at >= 0 && placesGiven(design))
        design.places[size_t(at)] = value;
}

} // namespace

card::CardDesign DesignBinding::design() const
{
    card::CardDesign design = m_design;
    const QList<CardLabel *> labels = card::textElementsOf(&m_document);
    design.places.resize(size_t(labels.size() * card::kPlaceFieldsPerElement));
    for (int i = 0; i < labels.size(); ++i) {
        const int given[] = {labels[i]->left(), labels[i]->top(), labels[i]->height(),
                             labels[i]->width()};
        for (int f = 0; f < card::kPlaceFieldsPerElement; ++f) {
            std::optional<int> &place = design.places[size_t(i * card::kPlaceFieldsPerElement + f)];
            // An element that sizes itself to its text is measured, whatever size was given.
            const bool measured = labels[i]->autoSize() && f >= int(GeometryField::Height);
            if (!place || measured)
                place = given[f];
        }
    }
    return design;
}

QStringList DesignBinding::setDesign(const card::CardDesign &design)
{
    m_design = design;
    CardDocument built;
    const QStringList problems = card::applyDesign(design, built);
    m_document.adoptDesignOf(built);
    return problems;
}

namespace card {

void foldStyleChange(CardDesign &design, StyleGroup group, const StyleChange &change,
                     int fixedColour, int otherItem)
{
    TextStyle &style = design.style(group);
    if (change.face)
        style.face = *change.face;
    if (change.points)
        style.points = change.points;
    style.bold = change.bold;
    if (change.italic)
        style.italic = *change.italic;
    if (change.underline)
        style.underline = *change.underline;
    if (change.colour)
        style.colour = change.colour;
    if (change.resetList) {
        style.fixedColour = fixedColour;
        style.otherColour = -1;
    }
    if (change.uncheckColourRadios) {
        style.fixedColour = -1;
        style.otherColour = otherItem;
    }
    if (!change.layoutNameLines || !placesGiven(design))
        return;
    const std::optional<NameLineLayout> layout =
        nameLineLayout(design.name.points.value_or(kShippedNamePoints));
    if (!layout)
        return;
    const QString name = QStringLiteral("alName"), address = QStringLiteral("alAddress"),
                  town = QStringLiteral("alTown");
    for (const QString &line : {name, address, town})
        setPlace(design, line, GeometryField::Height, layout->height);
    const std::optional<int> top = design.places[size_t(placeIndex(name, GeometryField::Top))];
    const NameBlockTops tops = nameBlockTops(top.value_or(0), layout->step);
    setPlace(design, address, GeometryField::Top, tops.address);
    setPlace(design, town, GeometryField::Top, tops.town);
}

void setNameBlockWidth(CardDesign &design, int width)
{
    design.nameWidth = width == kShippedNameWidth ? std::nullopt : std::optional<int>(width);
    for (const QString &line : styleGroupNames(StyleGroup::Name).elements)
        setPlace(design, line, GeometryField::Width, width);
}

bool placeTextElement(CardDesign &design, const QString &element, bool horizontal, int value)
{
    const int at = placeIndex(element, horizontal ? GeometryField::Left : GeometryField::Top);
    if (at < 0 || !placesGiven(design))
        return false;
    design.places[size_t(at)] = value;
    return true;
}

} // namespace card
