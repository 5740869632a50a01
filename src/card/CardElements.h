#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// The card's 45 elements as the main window creates them on the card band, in creation order.
// Creation order decides painting order and the order of the 22 text elements in "prefs.txt".
namespace card {

enum class ElementKind { Picture, Text, Frame, Overlay };
enum class TextAlign { Left, Centre };
enum class FontColour { WindowText, Navy };

struct ElementRow {
    const char *name;
    ElementKind kind;
    QRect geometry;          // left, top, width, height in band pixels
    const char *text;        // caption as shipped; empty for values and overlays
    int fontPoints;          // 0 for pictures and frames
    FontColour fontColour;
    TextAlign align;
    bool autoSize;
    bool transparent;
};

// All 45 elements in creation order.
const std::vector<ElementRow> &cardElements();

// Names of the 22 text elements in creation order (the order of "prefs.txt").
QStringList textElementNames();

// The card band's size once start-up has undocked it.
constexpr int kBandWidth = 513;
constexpr int kBandHeight = 282;
constexpr int kCardWidth = 511;
constexpr int kCardHeight = 280;

// The card's own colours.
constexpr int kNavy = 8388608;
constexpr int kYellow = 65535;
constexpr int kWhite = 16777215;
constexpr int kBlack = 0;

// Element groups.
const QStringList &identityElements();   // alCallSign, alName, ... in identity-edit order
const QStringList &identityEdits();      // CallSignEdit1 ... Tnx73sEdit1, "dfile.qec" order
const QStringList &titleElements();      // AlLabel1..AlLabel7
const QStringList &valueElements();      // alContactCallSign .. alSignal
const QStringList &overlays();           // ContactCallSign .. Signal
QStringList boxFrames();                  // AlShape1..AlShape14

} // namespace card
