#pragma once

#include <QColor>

// Kartello stores colours as integers with red in the low byte and blue in the high byte
// (16777215 white, 8388608 navy, 65535 yellow).
QColor colorFromInt(int c);
int colorToInt(const QColor &color);
