#pragma once

#include "PixelBitmap.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>

// Pixel rows as they lie in memory, from the top: three bytes red, green, blue or four bytes
// blue, green, red, unused per pixel; stride is the distance in bytes from one row to the next.
struct JpegRows {
    const uint8_t *top = nullptr;
    ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;
    int bytesPerPixel = 3;
};

// The card written as a baseline JPEG through libjpeg: the library's defaults, three RGB
// components, the chosen quality with baseline tables forced, rows from the top.
// A libjpeg error ends the encoding with EncoderError("JPEG error #<message code>");
// warnings and trace messages are dropped.
class JpegWriter
{
public:
    int quality() const { return m_quality; }
    void setQuality(int quality) { m_quality = quality; }

    // Takes the bitmap; indexed bitmaps are expanded to 24 bits here.
    void assign(const PixelBitmap &bitmap);
    void assign(PixelBitmap &&bitmap);

    QByteArray encode() const;
    // Writes the encoded picture; a failed write leaves any previous file untouched and
    // throws "Cannot create file <path>".
    void saveToFile(const QString &path) const;

private:
    PixelBitmap m_bitmap;
    int m_quality = 75;
};

// The bitmap as 24-bit red, green, blue pixels (a 24-bit bitmap is returned unchanged).
PixelBitmap toRgb24(const PixelBitmap &bitmap);

// Encodes rows as JpegWriter does, reading them where they lie, and writes the file as
// JpegWriter::saveToFile does.
void saveJpegFile(const JpegRows &rows, int quality, const QString &path);

// Writes data to path through a temporary file renamed over the target, so that a failure
// leaves the previous file as it was. Throws "Cannot create file <path>".
void writeWholeFile(const QString &path, const QByteArray &data);
