#include "TLZWEncoder.h"

#include "EncoderError.h"

namespace {

[[noreturn]] void colorNotInTable()
{
    throw EncoderError(QStringLiteral("Color not in color table"));
}

} // namespace

void TLZWEncoder::start(int minCodeSize, TGIFWriter &writer)
{
    m_writer = &writer;
    m_accumulator = 0;
    m_bitCount = 0;
    m_clearCode = 1 << minCodeSize;
    m_endCode = m_clearCode + 1;
    m_initialBits = minCodeSize + 1;
    m_codeBits = m_initialBits;
    m_maxCode = (1 << m_codeBits) - 1;
    putCode(m_clearCode);
    clearTable();
}

void TLZWEncoder::clearTable()
{
    m_table.clear();
    m_nextCode = m_clearCode + 2;
}

void TLZWEncoder::putCode(int code)
{
    m_accumulator |= static_cast<uint32_t>(code) << m_bitCount;
    m_bitCount += m_codeBits;
    while (m_bitCount >= 8) {
        m_writer->put(static_cast<uint8_t>(m_accumulator & 0xFF));
        m_accumulator >>= 8;
        m_bitCount -= 8;
    }
    // The width changes after the code went out, so a clear code still uses the old width.
    if (code == m_clearCode) {
        m_codeBits = m_initialBits;
        m_maxCode = (1 << m_codeBits) - 1;
    } else if (m_nextCode > m_maxCode) {
        ++m_codeBits;
        m_maxCode = m_codeBits == MaxBits ? (1 << MaxBits) : (1 << m_codeBits) - 1;
    }
}

void TLZWEncoder::finishBits()
{
    if (m_bitCount > 0)
        m_writer->put(static_cast<uint8_t>(m_accumulator & 0xFF));
    m_accumulator = 0;
    m_bitCount = 0;
}

void TLZWEncoder::encode(const uint8_t *pixels, size_t count, int colorCount, int minCodeSize,
                         TGIFWriter &writer)
{
    start(minCodeSize, writer);
    if (count > 0) {
        int prefix = pixels[0];
        if (prefix >= colorCount)
            colorNotInTable();
        for (size_t i = 1; i < count; ++i) {
            const int k = pixels[i];
            if (k >= colorCount)
                colorNotInTable();
            const uint32_t key = static_cast<uint32_t>(prefix) * 256u + static_cast<uint32_t>(k);
            const int slot = m_table.findSlot(key);
            const int code = m_table.codeAt(slot);
            if (code >= 0) {
                prefix = code;
                continue;
            }
            putCode(prefix);
            prefix = k;
            if (m_nextCode < TableFullCode) {
                m_table.insertAt(slot, key, m_nextCode++);
            } else {
                putCode(m_clearCode);
                clearTable();
            }
        }
        putCode(prefix);
    }
    putCode(m_endCode);
    finishBits();
}
