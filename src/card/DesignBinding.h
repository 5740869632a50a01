#pragma once

#include "CardDesign.h"

#include <QStringList>

class CardDocument;

// The design a window edits, bound to the document that shows it: every change is a new
// design, and the card is built from it anew (applyDesign()), so what the window shows is
// always what the design paints, the card `kartello cards` makes from the same design.
class DesignBinding
{
public:
    explicit DesignBinding(CardDocument &document) : m_document(document) {}

    // The design the card shows. Places the design does not give yet are taken from where the
    // elements lie, so that an edit of one place keeps the others.
    card::CardDesign design() const;
    // Shows design on the document; returns the problems met (a background picture that
    // cannot be read), the rest of the design shown all the same.
    QStringList setDesign(const card::CardDesign &design);
    // The document the design is shown on.
    CardDocument &document() const { return m_document; }

private:
    CardDocument &m_document;
    card::CardDesign m_design;
};

namespace card {

// Folds one application of a font group's style into design, as it changes the elements: the
// chosen face, size, colour and checks, with the control that chose the colour (a fixed
// colour's index, an "Other" item's index, or -1), and for the name group the three lines
// laid out again for the name's size when the places are given.
void foldStyleChange(CardDesign &design, StyleGroup group, const StyleChange &change,
                     int fixedColour, int otherItem);

// Gives the name block's three lines the width, in the places and as the name width.
void setNameBlockWidth(CardDesign &design, int width);

// Moves a text element (by name) in the design's places; false for a name that is no text
// element or places that are not given.
bool placeTextElement(CardDesign &design, const QString &element, bool horizontal, int value);

} // namespace card
