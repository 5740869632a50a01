#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

// The rules of the three font panels (call sign, name block, info lines). Pure functions;
// the text styles feature reads the controls into a StyleSender and StyleChecks and writes
// the resulting StyleChange onto the group's card elements.
namespace card {

enum class StyleGroup { CallSign, Name, Info };

// The names that belong to one font group.
struct StyleGroupNames {
    const char *prefix;        // "CSF", "NF", "IF": start of every control name of the group
    const char *panel;         // the group's font panel, e.g. "FontCallSign1"
    const char *button;        // the button that opens it, e.g. "CallSignBtn"
    const char *list;          // the "Other" colour list, e.g. "ComboBox2"
    QStringList elements;      // the card elements the group styles
};
const StyleGroupNames &styleGroupNames(StyleGroup group);

// Colour of an opened font panel's button, and of the closed ones.
constexpr int kOpenPanelButtonColour = 7585759;
constexpr int kClosedPanelButtonColour = 11395047;
// Text of an "Other" list while no item of it is chosen.
inline QString otherListText() { return QStringLiteral("Other"); }
// Range of the name block's width track bar.
constexpr int kNameWidthMinimum = 0;
constexpr int kNameWidthMaximum = 513;

// The eleven fixed colours of each font group: radio name suffix (the colour's eight
// hexadecimal digits) and caption.
struct FixedColour {
    const char *suffix;
    const char *caption;
};
const std::vector<FixedColour> &fixedColours();

// The eight font faces of each font group, in radio order (the radio's caption is the face).
const QStringList &fontFaces();

// The fifty-four items of each "Other" colour list, in list order: a colour name padded with
// spaces to 48 characters, then "$" and eight hexadecimal digits.
QStringList otherColourItems();

// The colour written by the eight hexadecimal digits that follow `prefix + "Color"` in a
// colour radio's name ("NFColor00FF0000" gives 16711680, blue in the high byte). nullopt when
// the name is not such a radio's or the digits do not parse.
std::optional<int> colourFromRadioName(const QString &name, const QString &prefix);

// The colour of an "Other" list's text: characters 49 to 57 (counted from 1) are "$" and
// eight hexadecimal digits. nullopt for any text that does not carry them ("Other", a text
// the operator typed), which leaves the colour as it was.
std::optional<int> colourFromListText(const QString &text);

// The point size given by the digits of a size radio's name ("NFSize12" gives 12). nullopt
// when the name is not `prefix + "Size"` followed by digits.
std::optional<int> sizeFromRadioName(const QString &name, const QString &prefix);

// Height of each of the three name-block lines and the step from one line to the next, for
// the name font's size; nullopt for a size without a layout (the lines stay as they are).
struct NameLineLayout {
    int height;
    int step;
    bool operator==(const NameLineLayout &o) const { return height == o.height && step == o.step; }
};
std::optional<NameLineLayout> nameLineLayout(int points);

// Top of the address and town lines under a name line at nameTop.
struct NameBlockTops {
    int address;
    int town;
};
NameBlockTops nameBlockTops(int nameTop, int step);

// The control that raised a style handler, as far as the rules look at it.
struct StyleSender {
    enum class Kind { None, Radio, List, Other };
    Kind kind = Kind::None;
    QString name;       // object name
    QString caption;    // a radio's caption (the face of a font-name radio)
    QString listText;   // a list's current text
};

// The check boxes and the size track bar of a group as they stand (the name and info groups
// have neither italic, underline nor a size track bar; those fields are ignored there).
struct StyleChecks {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int trackBarPoints = 20;
};

// What one application of a group's style changes. Unset optionals keep the element's value.
struct StyleChange {
    std::optional<QString> face;
    std::optional<int> points;
    std::optional<int> colour;
    bool bold = false;
    std::optional<bool> italic;       // call sign only
    std::optional<bool> underline;    // call sign only
    bool resetList = false;           // the group's "Other" list goes back to "Other"
    bool uncheckColourRadios = false; // a list colour was chosen: no fixed colour is
    bool layoutNameLines = false;     // the name block is laid out from the name size
};

// One click of a group's style handler (the call-sign, name or info style).
StyleChange styleChange(StyleGroup group, const StyleSender &sender, const StyleChecks &checks);

} // namespace card
