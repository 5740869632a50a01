#pragma once

#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

// The main window's controls as data: one row per control, in creation order, each placed
// in client coordinates of its parent. buildWindow() turns the rows into widgets.
enum class ControlClass {
    Panel,       // plain panel, filled with its colour
    TabRingPanel, // plain panel that keeps Tab among its own controls (a form over the window)
    GroupBox,
    Button,      // FlatButton
    SpeedButton, // small arrow button
    Radio,
    Check,
    Label,
    Edit,        // standard one-line edit
    EntryEdit,   // centred, borderless one-line edit
    Calendar,
    RememberedSlider, // horizontal slider whose position the window remembers
    Slider,      // horizontal slider whose position is not remembered
    Combo,       // drop-down list with an edit field
    Choice,      // drop-down list of fixed items, not remembered in the state file
    ListBox,     // multi-select list
    Led,         // Led
    LineFrame,   // line-and-frame
    CollapsiblePanel,
    Image,       // hidden picture holder
    CardBand,    // the card; its elements come from the card's own table
    StatusBar,   // status bar without a size grip
};

enum ControlFlag : unsigned {
    Hidden = 1u << 0,
    Checked = 1u << 1,
    NoTabStop = 1u << 2,
    NavyText = 1u << 3,  // a navy caption in the window's own face, for windows without one
    AutoSize = 1u << 4,  // sized to its caption from the row's top-left corner
    Framed = 1u << 5,    // an entry edit with a visible border
    TabStop = 1u << 6,   // a flat button that Tab reaches
};

struct ControlRow {
    ControlClass cls;
    QString name;
    QString parent;      // empty: the window itself
    QRect geometry;
    QString caption;
    int colour = -1;     // colour integer, red in the low byte; -1 keeps the parent's
    unsigned flags = 0;
    int minimum = 0, maximum = 0, value = 0;   // track bars and sliders only
    int textColour = -1; // colour integer of the caption; -1 keeps the parent's
};

// Every control of the main window, in creation order.
const std::vector<ControlRow> &mainWindowDescription();

// Every control of the print window, in creation order (PrintWindowDescription.cpp).
const std::vector<ControlRow> &printWindowDescription();
