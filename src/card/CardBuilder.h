#pragma once

#include "CardElements.h"
#include "CardOptions.h"

#include <QColor>

class QObject;

// Makes the card's 38 picture, text and frame elements in painting order, each owned by owner
// and named as in cardElements(). They lie on no surface yet; the window places them on its
// band and adds the seven entry overlays, the only widgets of the card, itself.
namespace card {

void buildCard(QObject *owner);

// The colour of the text a row of cardElements() names.
QColor fontColour(FontColour colour);

// Writes the card part of look onto the elements found under owner: visibility,
// transparency, box pens and the box colours (steps 2-7 and 9-10 of applying the card options;
// the window colours its entry overlays itself).
void applyLookToCard(QObject *owner, const CardLook &look);

} // namespace card
