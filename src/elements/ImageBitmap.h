#pragma once

#include "PixelBitmap.h"

#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <optional>

// The picture encoders' view of a QImage: an 8-bit or 1-bit indexed image keeps its colour
// table and indices; a 32-bit image keeps its pixels as they are (blue, green, red, unused);
// any other format is read as 24-bit RGB pixels.
PixelBitmap bitmapFromImage(const QImage &image);

// The picture reader's image, every pixel of it set by the file or by a fixed rule, never left
// as memory held it (such a picture would paint leftovers of earlier drawing):
// - a Windows bitmap whose pixel data is shorter than its headers say gives a null image;
// - the pixels a run-length bitmap skips (a jump, a line or the data ended early) show the
//   first colour of its palette, index 0, as most readers of such files show them;
// - a pixel whose index lies beyond the palette shows black: the palette is filled up to
//   every index the format can hold.
// Only for a run-length bitmap is the picture's memory handed to the reader; priorFill, when
// given, is written all over that memory first and stands for what it held before, which
// must not change the result (tests and fuzzing vary it).
QImage readWholeImage(QImageReader &reader, std::optional<uint8_t> priorFill = std::nullopt);
