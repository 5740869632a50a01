#pragma once

#include "WindowDescription.h"

class QWidget;

// Turns the rows of a window description into widgets on form, in row order. A row's parent
// must come before it. The card band also receives the card's elements, owned by form.
void buildWindow(QWidget *form, const std::vector<ControlRow> &rows);

// Gives a panel, group box, button or edit its colour from the window description.
void setControlColour(QWidget *widget, int colour);
