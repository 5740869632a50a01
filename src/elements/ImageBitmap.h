#pragma once

#include "PixelBitmap.h"

#include <QImage>
#include <QImageReader>

// The picture encoders' view of a QImage: an 8-bit or 1-bit indexed image keeps its colour
// table and indices; a 32-bit image keeps its pixels as they are (blue, green, red, unused);
// any other format is read as 24-bit RGB pixels.
PixelBitmap bitmapFromImage(const QImage &image);

// The picture reader's image, or a null image for a Windows bitmap whose pixel data is shorter
// than its headers say: Qt's reader would leave the missing rows as whatever memory held, and
// such a picture would paint leftovers of earlier drawing.
QImage readWholeImage(QImageReader &reader);
