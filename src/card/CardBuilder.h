#pragma once

#include "CardOptions.h"

class QObject;
class CardBand;

// Puts the card's 45 elements on band, in creation order, each owned by owner and named as
// in cardElements(). Text, frame and picture elements are painted by the band; the seven
// entry overlays are edits lying on the band. Without a band (a card drawn by a command) the
// elements belong to owner alone and no overlay, the only widgets, is made.
namespace card {

void buildCard(CardBand *band, QObject *owner);

// Writes the card part of look onto the elements found under owner: visibility,
// transparency, box pens and the box colours (steps 2-7 and 9-11 of applying the card options).
void applyLookToCard(QObject *owner, const CardLook &look);

} // namespace card
