#pragma once

#include "LzwHashTable.h"
#include "GifWriter.h"

#include <cstddef>
#include <cstdint>

// A compressor of GIF image data: pixels (one colour index per byte, rows from the top) in,
// data sub-blocks out.
class GifEncoder
{
public:
    virtual ~GifEncoder() = default;
    // colorCount is the size of the frame's colour map; minCodeSize the LZW minimum code size.
    // Throws EncoderError("Color not in color table") for a pixel >= colorCount.
    virtual void encode(const uint8_t *pixels, size_t count, int colorCount, int minCodeSize,
                        GifWriter &writer) = 0;
};

// GIF's variable-length-code LZW. Codes are packed least significant bit first; the table
// is cleared (a clear code in the data) when the next free code would be 4095, so the largest
// code ever assigned is 4094 and codes never grow beyond 12 bits.
class LzwEncoder : public GifEncoder
{
public:
    static constexpr int MaxBits = 12;
    static constexpr int TableFullCode = 4095;

    void encode(const uint8_t *pixels, size_t count, int colorCount, int minCodeSize,
                GifWriter &writer) override;

private:
    class BitPacker;

    LzwHashTable m_table;
};
