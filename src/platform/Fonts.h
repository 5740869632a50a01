#pragma once

#include <QFont>
#include <QString>

// Card fonts are sized in points at 96 pixels per inch (8 pt = 11 px, 20 pt = 27 px), so the
// card looks the same on every screen.
int pointsToPixels(int points);

// A font of the given face and point size, sized in pixels as above.
QFont designFont(const QString &family, int points, bool bold = false, bool italic = false,
                 bool underline = false, bool strikeOut = false);

// Registers Linux stand-ins for the Windows faces the card is designed with. Call once at
// start-up, after the application object exists.
void registerFontSubstitutes();
