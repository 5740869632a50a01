#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// One colour of a bitmap's colour table.
struct BitmapColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const BitmapColor &o) const
    {
        return red == o.red && green == o.green && blue == o.blue;
    }
};

// A bitmap as the picture encoders take it, free of any GUI type.
// Rows run from the top down without padding. With 1, 4 or 8 bits per pixel every pixel is
// one byte holding an index into colorTable; with 32 bits every pixel is four bytes blue,
// green, red, unused (a 32-bit Windows bitmap's layout, and the screen's); with any other
// depth every pixel is three bytes red, green, blue.
struct PixelBitmap {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 24;
    std::vector<uint8_t> pixels;
    std::vector<BitmapColor> colorTable;

    bool isIndexed() const { return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 8; }
    int bytesPerPixel() const { return isIndexed() ? 1 : bitsPerPixel == 32 ? 4 : 3; }

    // An RGB bitmap of the given size, black.
    static PixelBitmap rgb(int width, int height)
    {
        PixelBitmap b;
        b.width = width;
        b.height = height;
        b.pixels.assign(static_cast<size_t>(width) * height * 3, 0);
        return b;
    }
    // A 32-bit bitmap (blue, green, red, unused) of the given size, black.
    static PixelBitmap bgrx(int width, int height)
    {
        PixelBitmap b;
        b.width = width;
        b.height = height;
        b.bitsPerPixel = 32;
        b.pixels.assign(static_cast<size_t>(width) * height * 4, 0);
        return b;
    }
};
