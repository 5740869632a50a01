#pragma once

#include "CardOptions.h"
#include "TextStyles.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// The card's design as a plain value: everything the operator chose that decides how a card
// looks, and nothing of the window that edits it. The window's controls edit one; the commands
// read one from the stored files (CardDesignFiles.h) and paint it (applyDesign()).
namespace card {

// The look of one font group's elements. Unset choices leave the elements as the card ships
// them.
struct TextStyle {
    QString face = QStringLiteral("Tahoma");   // the checked font-name radio's face
    std::optional<int> points;                 // point size; unset: the card's own sizes
    bool bold = false;
    bool italic = false;                       // call sign only
    bool underline = false;                    // call sign only
    // The colour and the control it was chosen with: one of the eleven fixed colours (its
    // index in fixedColours()) or an item of the "Other" list (its index in
    // otherColourItems()); both -1 while the elements keep their own colour.
    std::optional<int> colour;
    int fixedColour = -1;
    int otherColour = -1;

    bool operator==(const TextStyle &o) const;
    bool operator!=(const TextStyle &o) const { return !(*this == o); }
};

// Where the card's 22 text elements lie, as "prefs.txt" holds it: left, top, height and width
// of each element in the card's order. A value not given leaves the element where its style
// puts it.
using TextPlaces = std::vector<std::optional<int>>;
constexpr int kPlaceFieldsPerElement = 4;

struct CardDesign {
    CardOptions options = shippedOptions();
    TextStyle callSign = callSignStyle();
    TextStyle name;
    TextStyle info;
    std::optional<int> nameWidth;   // the name block's width; unset: as the styles leave it
    TextPlaces places;              // empty or 22 * 4 values
    QStringList identity;           // the eight identity lines, "dfile.qec" order
    QStringList tableTitles;        // the seven QSO table titles, "Info.txt"
    QString backgroundPicture;      // path of the background picture; empty: none

    TextStyle &style(StyleGroup group);
    const TextStyle &style(StyleGroup group) const;

    bool operator==(const CardDesign &o) const;
    bool operator!=(const CardDesign &o) const { return !(*this == o); }

    // The call sign's style before the operator changed any: the size track bar's 20 points.
    static TextStyle callSignStyle();
    // The options a card has before the operator changed any: background "B6", interface 3.
    static CardOptions shippedOptions();
};

// The default width of the name block (the name width track bar's first position).
constexpr int kShippedNameWidth = 268;
// The call sign's size track bar: its range and first position.
constexpr int kCallSignPointsMinimum = 20;
constexpr int kCallSignPointsMaximum = 200;

// The identity texts a card shows before "dfile.qec" gives any.
QStringList shippedIdentity();

} // namespace card
