#pragma once

#include "PixelBitmap.h"

#include <QImage>

// The picture encoders' view of a QImage: an 8-bit or 1-bit indexed image keeps its colour
// table and indices; a 32-bit image keeps its pixels as they are (blue, green, red, unused);
// any other format is read as 24-bit RGB pixels.
PixelBitmap bitmapFromImage(const QImage &image);
