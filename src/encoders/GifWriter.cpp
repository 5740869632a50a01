#include "GifWriter.h"

#include <algorithm>
#include <cstring>

void GifWriter::put(const uint8_t *bytes, int count)
{
    while (count > 0) {
        const int take = std::min(count, 255 - m_count);
        std::memcpy(m_block + m_count, bytes, static_cast<size_t>(take));
        m_count += take;
        bytes += take;
        count -= take;
        if (m_count == 255)
            flushBlock();
    }
}

void GifWriter::flushBlock()
{
    m_out.push_back(static_cast<uint8_t>(m_count));
    m_out.insert(m_out.end(), m_block, m_block + m_count);
    m_count = 0;
}
