#pragma once

#include "THashTable.h"
#include "TGIFWriter.h"

#include <cstddef>
#include <cstdint>

// A compressor of GIF image data: pixels (one colour index per byte, rows from the top) in,
// data sub-blocks out.
class TGIFEncoder
{
public:
    virtual ~TGIFEncoder() = default;
    // colorCount is the size of the frame's colour map; minCodeSize the LZW minimum code size.
    // Throws EncoderError("Color not in color table") for a pixel >= colorCount.
    virtual void encode(const uint8_t *pixels, size_t count, int colorCount, int minCodeSize,
                        TGIFWriter &writer) = 0;
};

// GIF's variable-length-code LZW. Codes are packed least significant bit first; the table
// is cleared (a clear code in the data) when the next free code would be 4095, so the largest
// code ever assigned is 4094 and codes never grow beyond 12 bits.
class TLZWEncoder : public TGIFEncoder
{
public:
    static constexpr int MaxBits = 12;
    static constexpr int TableFullCode = 4095;

    void encode(const uint8_t *pixels, size_t count, int colorCount, int minCodeSize,
                TGIFWriter &writer) override;

private:
    class BitPacker;

    THashTable m_table;
};
