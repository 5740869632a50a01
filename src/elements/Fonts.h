#pragma once

#include <QFont>
#include <QString>

// Card fonts are sized in points at 96 pixels per inch (8 pt = 11 px, 20 pt = 27 px), so the
// card looks the same on every screen.
int pointsToPixels(int points);

// A font of the given face and point size, sized in pixels as above.
QFont pixelSizedFont(const QString &family, int points, bool bold = false, bool italic = false,
                     bool underline = false, bool strikeOut = false);

// Registers Linux stand-ins for the Windows faces the card and the windows are laid out in.
// Call once at start-up, after the application object exists.
void registerFontSubstitutes();

// How many pixels lower the Windows face's first baseline lies than its stand-in's. The card's
// places were laid out with the Windows faces, whose ascent is larger than that of the Linux
// stand-ins (Tahoma's ascent is a full em, Liberation Sans' 0.905 em); text drawn with a
// stand-in is moved down by this much so that it sits where the Windows face puts it. 0 when the
// Windows face itself is installed, or for faces without a stand-in.
int standInAscentDrop(const QFont &font);

// font, or font narrowed (stretched down in steps of 5 %, to 70 % at most) so that the one line
// text is at most width pixels wide; unchanged when it fits already or is empty. What does not
// fit even at 70 % is as narrow as that.
QFont fontNarrowedToFit(const QFont &font, const QString &text, int width);
