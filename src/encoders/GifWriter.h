#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Cuts the compressed image data into GIF data sub-blocks: a length byte (1 to 255) and that
// many bytes; every block but the last is full. No empty block is written.
class GifWriter
{
public:
    explicit GifWriter(std::vector<uint8_t> &out) : m_out(out) {}

    void put(uint8_t byte)
    {
        m_block[m_count++] = byte;
        if (m_count == 255)
            flushBlock();
    }
    // Puts count bytes, as many put(byte) calls would.
    void put(const uint8_t *bytes, int count);
    // Writes what is left as a shorter block.
    void finish()
    {
        if (m_count > 0)
            flushBlock();
    }

private:
    void flushBlock();

    std::vector<uint8_t> &m_out;
    uint8_t m_block[255] = {};
    int m_count = 0;
};
