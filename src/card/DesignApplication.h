#pragma once

#include <QStringList>

class CardDocument;

namespace card {

struct CardDesign;
struct TextStyle;
enum class StyleGroup;
struct StyleChange;

// Builds the card of design on a document as CardDocument makes it (no design applied yet):
// the three font groups, the name width, the table titles, the places of "prefs.txt", the
// background picture, the identity and the card options. The card's colours and fonts come
// from the design and the card's own defaults only, never from the desktop. Returns the
// problems met, in the window's words ("Cannot open file ..." for a background picture that
// is gone); the rest of the design is applied all the same.
QStringList applyDesign(const CardDesign &design, CardDocument &document);

// The change that applying style as a whole makes to its group's elements.
StyleChange styleChangeOf(StyleGroup group, const TextStyle &style);

} // namespace card
