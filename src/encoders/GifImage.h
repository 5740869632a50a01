#pragma once

#include "PixelBitmap.h"
#include "GifColorMap.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// The browser-safe 216-colour cube: entry n is (n div 36, n div 6 mod 6, n mod 6) x 51.
// A colour maps to level(R) * 36 + level(G) * 6 + level(B), level(v) = (v + 3) div 51.
class NetscapeColorLookup
{
public:
    static constexpr int Colors = 216;
    static int level(int v) { return (v + 3) / 51; }
    static int lookup(int red, int green, int blue)
    {
        return level(red) * 36 + level(green) * 6 + level(blue);
    }
    static BitmapColor color(int index);
};

// Logical screen descriptor and global colour map.
struct GifHeader {
    uint16_t width = 0;
    uint16_t height = 0;
    uint8_t background = 0;
    uint8_t aspectRatio = 0;
    GifColorMap colorMap;
};

// One frame: image descriptor, local colour map and pixels (one colour index per byte,
// rows from the top, each exactly width long).
struct GifSubImage {
    uint16_t left = 0;
    uint16_t top = 0;
    uint16_t width = 0;
    uint16_t height = 0;
    GifColorMap colorMap;
    std::vector<uint8_t> data;
};

// A GIF picture. Assigning a bitmap makes one frame of its size: a 1, 4 or 8-bit bitmap
// keeps its own colour table and indices; any other bitmap is reduced to the 216-colour cube
// (nearest colour, no dithering) with a 256-entry table: the cube, then 40 black entries.
// Saving writes GIF87a (GIF89a only when a colour map is sorted) with LZW image data.
class GifImage
{
public:
    void assign(const PixelBitmap &bitmap);

    const GifHeader &header() const { return m_header; }
    const std::vector<GifSubImage> &images() const { return m_images; }
    std::vector<GifSubImage> &images() { return m_images; }

    QByteArray saveToBytes() const;
    // Throws EncoderError("Cannot create file <path>") when the file cannot be written; the
    // previous file is then left untouched.
    void saveToFile(const QString &path) const;

private:
    std::vector<uint8_t> fileBytes() const;
    void writeImage(const GifSubImage &image, std::vector<uint8_t> &out) const;
    int largestColorBits() const;

    GifHeader m_header;
    std::vector<GifSubImage> m_images;
};

// The 8-bit cube bitmap that a true-colour (24 or 32-bit) bitmap is reduced to.
PixelBitmap reduceToCube(const PixelBitmap &rgb);
