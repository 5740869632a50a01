#include "WindowDescription.h"

#include "ControlNames.h"

namespace {

using C = ControlClass;
using namespace controlnames;

constexpr int kWindow = 11395047;

ControlRow row(C cls, const char *name, QRect place, const char *caption = "", int colour = -1,
               unsigned flags = 0)
{
    return {cls, QString::fromLatin1(name), QString(), place, QString::fromLatin1(caption),
            colour, flags};
}

} // namespace

// The six choice radios share the window as their parent, so they form one group.
const std::vector<ControlRow> &printWindowDescription()
{
    static const std::vector<ControlRow> rows = {
        row(C::Button, print::printButton, {8, 8, 86, 22}, "Print", kWindow),
        row(C::Button, print::cancelButton, {96, 8, 86, 22}, "Cancel", kWindow),
        row(C::Panel, print::focusHolder, {184, 9, 8, 19}),
        row(C::Label, "Label1", {205, 11, 0, 0}, "Copies:  ", -1, NavyText | AutoSize),
        row(C::Label, "Label2", {366, 11, 0, 0}, "Position:  ", -1, NavyText | AutoSize),
        row(C::Radio, "Copy1", {242, 11, 28, 17}, "1", -1, NavyText),
        row(C::Radio, "Copy2", {274, 11, 28, 17}, "2", -1, NavyText),
        row(C::Radio, "Copy3", {306, 11, 28, 17}, "3", -1, NavyText),
        row(C::Radio, "Pos1", {408, 11, 28, 17}, "1", -1, NavyText),
        row(C::Radio, "Pos2", {440, 11, 28, 17}, "2", -1, NavyText),
        row(C::Radio, "Pos3", {472, 11, 28, 17}, "3", -1, NavyText),
        // Its caption says what the box does; the window is wider to hold it.
        row(C::Check, print::autoLoopCheck, {504, 10, 72, 17}, "Auto loop", -1, NavyText),
        row(C::Image, print::preview, {8, 40, 511, 280}),
        row(C::StatusBar, "StatusBar1", {0, 328, 583, 19}),
    };
    return rows;
}
