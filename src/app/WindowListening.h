#pragma once

#include "features/ListenDialog.h"

class MainWindow;

// Keeps settings in the window's state file and listens as they say; false when the address
// cannot be listened on (the title says why).
bool applyListenChoice(MainWindow &window, const ListenSettings &settings);

// Gives the window its Listen choice, "Listen..." in the window's context menu, and listens as
// the state file says (off unless the operator turned it on). Called once the window is
// shown; a window made for a command-line run never listens.
void setUpListening(MainWindow &window);
