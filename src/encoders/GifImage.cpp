#include "GifImage.h"

#include "JpegWriter.h"
#include "LzwEncoder.h"

#include <algorithm>
#include <array>

namespace {

void put16(std::vector<uint8_t> &out, uint16_t value)
{
    out.push_back(static_cast<uint8_t>(value & 0xFF));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

// level(v) * weight for every byte value, so the reduction is three table reads per pixel.
std::array<uint8_t, 256> levelTable(int weight)
{
    std::array<uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] = static_cast<uint8_t>(NetscapeColorLookup::level(v) * weight);
    return table;
}

} // namespace

BitmapColor NetscapeColorLookup::color(int index)
{
    return BitmapColor{static_cast<uint8_t>(index / 36 * 51),
                       static_cast<uint8_t>(index / 6 % 6 * 51),
                       static_cast<uint8_t>(index % 6 * 51)};
}

PixelBitmap reduceToCube(const PixelBitmap &rgb)
{
    static const std::array<uint8_t, 256> reds = levelTable(36);
    static const std::array<uint8_t, 256> greens = levelTable(6);
    static const std::array<uint8_t, 256> blues = levelTable(1);

    PixelBitmap out;
    out.width = rgb.width;
    out.height = rgb.height;
    out.bitsPerPixel = 8;
    out.colorTable.resize(256);
    for (int n = 0; n < NetscapeColorLookup::Colors; ++n)
        out.colorTable[n] = NetscapeColorLookup::color(n);
    const size_t count = static_cast<size_t>(rgb.width) * rgb.height;
    out.pixels.resize(count);
    const uint8_t *p = rgb.pixels.data();
    if (rgb.bitsPerPixel == 32) {
        for (size_t i = 0; i < count; ++i, p += 4)
            out.pixels[i] = static_cast<uint8_t>(reds[p[2]] + greens[p[1]] + blues[p[0]]);
    } else {
        for (size_t i = 0; i < count; ++i, p += 3)
            out.pixels[i] = static_cast<uint8_t>(reds[p[0]] + greens[p[1]] + blues[p[2]]);
    }
    return out;
}

void GifImage::assign(const PixelBitmap &bitmap)
{
    PixelBitmap indexed = bitmap.isIndexed() ? bitmap : reduceToCube(bitmap);
    GifSubImage image;
    image.width = static_cast<uint16_t>(indexed.width);
    image.height = static_cast<uint16_t>(indexed.height);
    for (const BitmapColor &c : indexed.colorTable)
        image.colorMap.add(c);
    image.data = bitmap.isIndexed() ? indexed.pixels : std::move(indexed.pixels);
    m_images.clear();
    m_images.push_back(std::move(image));
    m_header.width = std::max(m_header.width, m_images.back().width);
    m_header.height = std::max(m_header.height, m_images.back().height);
}

int GifImage::largestColorBits() const
{
    int bits = m_header.colorMap.bitsPerPixel();
    for (const GifSubImage &image : m_images)
        bits = std::max(bits, image.colorMap.bitsPerPixel());
    return bits;
}

QByteArray GifImage::saveToBytes() const
{
    const std::vector<uint8_t> out = fileBytes();
    return QByteArray(reinterpret_cast<const char *>(out.data()),
                      static_cast<qsizetype>(out.size()));
}

std::vector<uint8_t> GifImage::fileBytes() const
{
    bool needs89a = m_header.colorMap.optimized();
    for (const GifSubImage &image : m_images)
        needs89a = needs89a || image.colorMap.optimized();

    // Room for the headers, tables and LZW data of a usual picture, so the data is not moved
    // while it grows: a code per pixel at worst, 12 bits a code, a length byte per 255 bytes.
    size_t room = 1024 + 768 * (m_images.size() + 1);
    for (const GifSubImage &image : m_images)
        room += image.data.size() * 3 / 2 + image.data.size() / 128;
    std::vector<uint8_t> out;
    out.reserve(room);
    const char *signature = needs89a ? "GIF89a" : "GIF87a";
    out.insert(out.end(), signature, signature + 6);
    put16(out, m_header.width);
    put16(out, m_header.height);
    const int bits = std::max(largestColorBits(), 1);
    const int global = m_header.colorMap.bitsPerPixel();
    const int sizeField = (global > 0 ? global : bits) - 1;
    out.push_back(static_cast<uint8_t>((global > 0 ? 0x80 : 0) | ((bits - 1) << 4)
                                       | (m_header.colorMap.optimized() ? 0x08 : 0)
                                       | sizeField));
    out.push_back(m_header.background);
    out.push_back(m_header.aspectRatio);
    const std::vector<uint8_t> globalTable = m_header.colorMap.fileBytes();
    out.insert(out.end(), globalTable.begin(), globalTable.end());
    for (const GifSubImage &image : m_images)
        writeImage(image, out);
    out.push_back(0x3B);
    return out;
}

void GifImage::writeImage(const GifSubImage &image, std::vector<uint8_t> &out) const
{
    out.push_back(0x2C);
    put16(out, image.left);
    put16(out, image.top);
    put16(out, image.width);
    put16(out, image.height);
    const GifColorMap &map = image.colorMap.count() > 0 ? image.colorMap : m_header.colorMap;
    const int bits = map.bitsPerPixel();
    uint8_t packed = 0;
    if (image.colorMap.count() > 0)
        packed |= static_cast<uint8_t>(0x80 | (image.colorMap.optimized() ? 0x20 : 0) | (bits - 1));
    out.push_back(packed);
    const std::vector<uint8_t> table = image.colorMap.fileBytes();
    out.insert(out.end(), table.begin(), table.end());

    const int minCodeSize = std::max(bits, 2);
    out.push_back(static_cast<uint8_t>(minCodeSize));
    GifWriter writer(out);
    LzwEncoder encoder;
    encoder.encode(image.data.data(), image.data.size(), map.count(), minCodeSize, writer);
    writer.finish();
    out.push_back(0x00);
}

void GifImage::saveToFile(const QString &path) const
{
    // The file is written straight from the bytes made, without a copy.
    const std::vector<uint8_t> out = fileBytes();
    writeWholeFile(path, QByteArray::fromRawData(reinterpret_cast<const char *>(out.data()),
                                                 static_cast<qsizetype>(out.size())));
}
