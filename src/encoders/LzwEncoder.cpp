#include "LzwEncoder.h"

#include "EncoderError.h"

#include <algorithm>

namespace {

[[noreturn]] void colorNotInTable()
{
    throw EncoderError(QStringLiteral("Color not in color table"));
}

} // namespace

// The code stream's state lives in locals while a picture is encoded, so the compiler keeps
// it in registers; codes are gathered 32 bits at a time and handed to the writer in chunks.
class LzwEncoder::BitPacker
{
public:
    BitPacker(GifWriter &writer, int clearCode, int initialBits)
        : m_writer(writer), m_clearCode(clearCode), m_initialBits(initialBits),
          m_codeBits(initialBits), m_maxCode((1 << initialBits) - 1)
    {
    }

    // Puts code at the current width; then the width follows the next free code. The width
    // changes after the code went out, so a clear code still uses the old width.
    void put(int code, int nextCode)
    {
        m_accumulator |= static_cast<uint64_t>(code) << m_bitCount;
        m_bitCount += m_codeBits;
        if (m_bitCount >= 32) {
            const auto word = static_cast<uint32_t>(m_accumulator);
            m_buffer[m_used] = static_cast<uint8_t>(word);
            m_buffer[m_used + 1] = static_cast<uint8_t>(word >> 8);
            m_buffer[m_used + 2] = static_cast<uint8_t>(word >> 16);
            m_buffer[m_used + 3] = static_cast<uint8_t>(word >> 24);
            m_used += 4;
            m_accumulator >>= 32;
            m_bitCount -= 32;
            if (m_used == BufferSize)
                flush();
        }
        if (code == m_clearCode) {
            m_codeBits = m_initialBits;
            m_maxCode = (1 << m_codeBits) - 1;
        } else if (nextCode > m_maxCode) {
            ++m_codeBits;
            m_maxCode = m_codeBits == MaxBits ? (1 << MaxBits) : (1 << m_codeBits) - 1;
        }
    }
    // Writes the last, partly filled bytes and everything gathered.
    void finish()
    {
        for (; m_bitCount > 0; m_bitCount -= 8) {
            m_buffer[m_used++] = static_cast<uint8_t>(m_accumulator & 0xFF);
            m_accumulator >>= 8;
        }
        m_bitCount = 0;
        flush();
    }

private:
    static constexpr int BufferSize = 4096;

    void flush()
    {
        m_writer.put(m_buffer, m_used);
        m_used = 0;
    }

    GifWriter &m_writer;
    uint64_t m_accumulator = 0;
    int m_bitCount = 0;
    int m_clearCode;
    int m_initialBits;
    int m_codeBits;
    int m_maxCode;
    int m_used = 0;
    uint8_t m_buffer[BufferSize];
};

void LzwEncoder::encode(const uint8_t *pixels, size_t count, int colorCount, int minCodeSize,
                         GifWriter &writer)
{
    // A byte is always below 256, so only a smaller map needs the pixels checked.
    if (count > 0 && colorCount < 256 && *std::max_element(pixels, pixels + count) >= colorCount)
        colorNotInTable();
    const int clearCode = 1 << minCodeSize;
    const int endCode = clearCode + 1;
    BitPacker bits(writer, clearCode, minCodeSize + 1);
    m_table.clear();
    int nextCode = clearCode + 2;
    bits.put(clearCode, nextCode);
    if (count > 0) {
        int prefix = pixels[0];
        for (size_t i = 1; i < count; ++i) {
            const int k = pixels[i];
            const uint32_t key = static_cast<uint32_t>(prefix) * 256u + static_cast<uint32_t>(k);
            int slot;
            const int code = m_table.probe(key, slot);
            if (code >= 0) {
                prefix = code;
                continue;
            }
            bits.put(prefix, nextCode);
            prefix = k;
            if (nextCode < TableFullCode) {
                m_table.insertAt(slot, key, nextCode++);
            } else {
                bits.put(clearCode, nextCode);
                m_table.clear();
                nextCode = clearCode + 2;
            }
        }
        bits.put(prefix, nextCode);
    }
    bits.put(endCode, nextCode);
    bits.finish();
}
