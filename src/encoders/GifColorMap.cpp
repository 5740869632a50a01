#include "GifColorMap.h"

#include "EncoderError.h"

void GifColorMap::add(const BitmapColor &color)
{
    if (count() >= MaxColors)
        throw EncoderError(QStringLiteral("Color table overflow"));
    m_colors.push_back(color);
}

void GifColorMap::clear()
{
    m_colors.clear();
    m_optimized = false;
}

int GifColorMap::bitsPerPixel() const
{
    if (m_colors.empty())
        return 0;
    int bits = 1;
    while ((1 << bits) < count())
        ++bits;
    return bits;
}

std::vector<uint8_t> GifColorMap::fileBytes() const
{
    const int bits = bitsPerPixel();
    std::vector<uint8_t> bytes(bits == 0 ? 0 : (size_t{1} << bits) * 3, 0);
    for (int i = 0; i < count(); ++i) {
        bytes[3 * i] = m_colors[i].red;
        bytes[3 * i + 1] = m_colors[i].green;
        bytes[3 * i + 2] = m_colors[i].blue;
    }
    return bytes;
}
