#pragma once

#include "PixelBitmap.h"

#include <QByteArrayView>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

// Rows of 32-bit pixels (blue, green, red, unused) as they lie in memory, from the top;
// stride is the distance in bytes from one row to the next.
struct BgrxRows {
    const uint8_t *top = nullptr;
    ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
};

// Writes the rows to path as a 24-bit Windows bitmap (BITMAPINFOHEADER, uncompressed, rows
// from the bottom, each padded to four bytes) in one write. False when the file cannot be
// created or written completely.
bool writeBitmapFile(const BgrxRows &rows, const QString &path);

// Reads an uncompressed 24-bit or 32-bit Windows bitmap (rows from the bottom or from the
// top): a 24-bit one as red, green, blue pixels, a 32-bit one as its blue, green, red,
// unused pixels. Nothing when the file cannot be read or is of any other kind (fewer bits per
// pixel, compression, bit fields, a truncated file); the caller may try a general reader then.
std::optional<PixelBitmap> readBitmapFile(const QString &path);

// Whether a Windows bitmap holds all the pixel data its headers promise: header holds the
// file's first bytes (64 are enough), fileSize is the whole file's length. General readers
// leave the rows of a cut-off file as whatever memory held, so such a file must be refused
// before it is decoded. False for a file that starts with "BM" but whose headers are cut off
// or name no size; true for anything that is not a bitmap (its own reader judges it).
bool bitmapPixelDataComplete(QByteArrayView header, qint64 fileSize);

// Whether a Windows bitmap's headers (the file's first 54 bytes or more) name run-length
// compressed pixel data (RLE8 or RLE4). Such data may skip pixels: a jump, a line or the
// bitmap ended early leave them unset.
bool bitmapIsRunLength(QByteArrayView header);
