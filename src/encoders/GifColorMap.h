#pragma once

#include "PixelBitmap.h"

#include <vector>

// A GIF colour table: up to 256 colours in the order they were added.
class GifColorMap
{
public:
    static constexpr int MaxColors = 256;

    // Throws EncoderError("Color table overflow") on the 257th colour.
    void add(const BitmapColor &color);
    void clear();

    int count() const { return static_cast<int>(m_colors.size()); }
    const BitmapColor &operator[](int index) const { return m_colors[index]; }

    // The smallest n >= 1 with 2^n >= count; an empty map has 0 bits.
    int bitsPerPixel() const;

    // Set only when the map has been sorted by importance; the file then needs GIF89a.
    bool optimized() const { return m_optimized; }
    void setOptimized(bool optimized) { m_optimized = optimized; }

    // The table as written to a file: 2^bitsPerPixel triples, padded with black.
    std::vector<uint8_t> fileBytes() const;

private:
    std::vector<BitmapColor> m_colors;
    bool m_optimized = false;
};
