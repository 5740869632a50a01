#pragma once

#include <QIcon>

// Kartello's icon, a QSL card: the same picture the desktop entry shows, in the sizes the
// desktop uses (48, 128 and 256 pixels).
QIcon programIcon();

// The desktop entry's id, so that the desktop matches the window with its entry and icon.
QString desktopFileName();

// Gives every window of the program the icon and names the desktop entry.
void setProgramIdentity();
