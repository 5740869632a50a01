#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The rules of moving the card's own lines by hand: which element a selection radio moves,
// the ranges of the two position sliders, what an arrow button does and where the moved
// elements go. Pure functions; the field positions feature applies them to the controls.
namespace card {

// The elements that can be moved, in the order the selection is tested.
enum class MovableField { None, CallSign, Name, Email, Tnx73, PseQsl, PseLotw };

struct MovableFieldNames {
    MovableField field;
    const char *radio;     // selection radio, e.g. "RBCall1"
    const char *caption;   // its caption, e.g. "Call"
    const char *element;   // the element whose place the sliders show, e.g. "alCallSign"
};
// The six movable fields in radio order.
const std::vector<MovableFieldNames> &movableFields();

// The field whose selection radio has exactly this caption; None for any other caption.
MovableField fieldForCaption(const QString &caption);
// The names of field (the None row has empty names).
MovableFieldNames namesOf(MovableField field);

// A slider's range. Values outside are clamped; changing the minimum re-clamps.
struct SliderRange {
    int minimum;
    int maximum;
};
// The left and top sliders while an element is selected, and after the interface panel
// changes size (nothing selected, both at 0).
constexpr SliderRange kLeftWhileSelected{-10, 500};
constexpr SliderRange kTopWhileSelected{-23, 500};
constexpr SliderRange kAfterPanelResize{0, 500};
int clampToSlider(int value, SliderRange range);

// What an arrow button does, decided by its name: "Left", "Right", "Up", "Down", "In",
// "Out" (tested in this order; the first the name contains wins).
enum class Nudge { None, Left, Right, Up, Down, In, Out };
Nudge nudgeForName(const QString &name);
// The change an arrow makes to its slider's value (-1 or +1; 0 for None).
int nudgeStep(Nudge nudge);

// One element's new coordinate.
struct Placement {
    QString element;
    int value;
    bool operator==(const Placement &o) const { return element == o.element && value == o.value; }
};
// The elements that take the left slider's value when field is selected (the whole name
// block for Name). Empty for None.
std::vector<Placement> leftPlacements(MovableField field, int left);
// The elements that take the top slider's value: for Name the name line at top and the
// address and town lines one and two name line steps below it.
std::vector<Placement> topPlacements(MovableField field, int top, int nameLineStep);
// Whether a left-slider change raised by the named control also re-applies the name block's
// width from its width track bar: for the "In" and "Out" buttons, unless "Call" is selected.
bool reappliesNameWidth(MovableField selected, const QString &senderName);

} // namespace card
