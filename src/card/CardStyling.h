#pragma once

#include "CardOptions.h"
#include "TextStyles.h"

#include <QList>
#include <QStringList>

class QObject;
class CardLabel;

// What the card's own controls do to the card elements, written once for the window and for
// the commands that draw a card without one. Each function finds the elements it changes by
// name among the children of owner, so it serves the main window (whose card lies on the
// band) and a CardDocument alike.
namespace card {

// The card's text elements in creation order, the order of "prefs.txt".
QList<CardLabel *> textElementsOf(const QObject *owner);

// Writes one application of a font group's style onto the group's elements. For the name
// group the three lines are laid out again; the new step from one name line to the next is
// returned (nameLineStep when the size has no layout).
int applyStyleChange(QObject *owner, StyleGroup group, const StyleChange &change,
                     int nameLineStep);

// Gives the name block's three lines the width of the name width track bar.
void applyNameBlockWidth(QObject *owner, int width);

// Places the card's text elements as "prefs.txt" says (see readPrefs).
void applyPrefsGeometry(QObject *owner, const QStringList &lines);
// The lines of "prefs.txt" for where the card's text elements lie now: what
// applyPrefsGeometry() reads back to the same places.
QStringList prefsGeometryLines(const QObject *owner);

// Copies the eight identity texts ("dfile.qec" order) into the identity elements.
void copyIdentityTexts(QObject *owner, const QStringList &texts);

// Gives the seven QSO table titles their captions, the first seven lines of "Info.txt".
// Throws "List index out of bounds (n)" when a line is missing; the titles before it are set.
void applyTableTitles(QObject *owner, const QStringList &infoLines);

} // namespace card
