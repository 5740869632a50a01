#pragma once

#include "CardOptions.h"

class CardBand;
class QObject;

// The seven edits the operator types a QSO into, lying over the card's value elements on the
// window's band. They are the card's only widgets, so they live beside the window and not in
// the card document.
namespace card {

// Makes the overlays on band, named and placed as in cardElements(). The first three start
// white, the others in the system's base colour.
void addEntryOverlays(CardBand *band);

// Gives the overlays found under owner the box and box text colours of the card options.
void colourEntryOverlays(QObject *owner, const BoxColours &colours);

} // namespace card
