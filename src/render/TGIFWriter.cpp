#include "TGIFWriter.h"

void TGIFWriter::flushBlock()
{
    m_out.push_back(static_cast<uint8_t>(m_count));
    m_out.insert(m_out.end(), m_block, m_block + m_count);
    m_count = 0;
}
