#include "Colors.h"

QColor colorFromInt(int c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

int colorToInt(const QColor &color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}
