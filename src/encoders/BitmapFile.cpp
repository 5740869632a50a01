#include "BitmapFile.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>

#include <cstring>
#include <vector>

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr size_t HeaderSize = FileHeaderSize + InfoHeaderSize;
constexpr int32_t DotsPerMeter = 3780; // 96 dpi, the card's resolution
constexpr size_t ChunkBytes = 64 * 1024;

void put16(uint8_t *p, uint16_t v)
{
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
}

void put32(uint8_t *p, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint16_t get16(const uint8_t *p)
{
    return static_cast<uint16_t>(p[0] | p[1] << 8);
}

uint32_t get32(const uint8_t *p)
{
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
           | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

size_t paddedRow(int width, int bytesPerPixel)
{
    return (static_cast<size_t>(width) * bytesPerPixel + 3) & ~size_t{3};
}

void putHeaders(uint8_t *h, int width, int height, uint32_t imageSize)
{
    h[0] = 'B';
    h[1] = 'M';
    put32(h + 2, HeaderSize + imageSize);
    put32(h + 6, 0);
    put32(h + 10, HeaderSize);
    put32(h + 14, InfoHeaderSize);
    put32(h + 18, static_cast<uint32_t>(width));
    put32(h + 22, static_cast<uint32_t>(height));
    put16(h + 26, 1);
    put16(h + 28, 24);
    put32(h + 30, 0);
    put32(h + 34, imageSize);
    put32(h + 38, DotsPerMeter);
    put32(h + 42, DotsPerMeter);
    put32(h + 46, 0);
    put32(h + 50, 0);
}

// The layout of an uncompressed 24-bit or 32-bit bitmap, taken from its headers.
struct Layout {
    int width = 0;
    int height = 0;
    bool bottomUp = true;
    int bytesPerPixel = 3;
    size_t offset = 0;
    size_t stride = 0;
};

// header holds the file's first bytes, size is the whole file's length.
std::optional<Layout> layoutOf(const QByteArray &header, size_t size)
{
    const auto *d = reinterpret_cast<const uint8_t *>(header.constData());
    if (static_cast<size_t>(header.size()) < HeaderSize || size < HeaderSize || d[0] != 'B'
        || d[1] != 'M' || get32(d + 14) < InfoHeaderSize)
        return std::nullopt;
    const auto width = static_cast<int32_t>(get32(d + 18));
    const auto height = static_cast<int32_t>(get32(d + 22));
    const int bits = get16(d + 28);
    if (get16(d + 26) != 1 || (bits != 24 && bits != 32) || get32(d + 30) != 0 || width <= 0
        || height == 0 || height == INT32_MIN || width > 65535 || height < -65535
        || height > 65535)
        return std::nullopt;
    Layout l;
    l.width = width;
    l.height = height < 0 ? -height : height;
    l.bottomUp = height > 0;
    l.bytesPerPixel = bits / 8;
    l.offset = get32(d + 10);
    l.stride = paddedRow(width, l.bytesPerPixel);
    // The last row needs only its pixels, not its padding.
    const size_t need = l.stride * (l.height - 1) + static_cast<size_t>(width) * l.bytesPerPixel;
    // Pixel data that starts inside the headers (a larger header than the offset allows for)
    // is no sound bitmap: readers disagree on where its rows begin.
    if (l.offset < HeaderSize || l.offset < FileHeaderSize + get32(d + 14) || l.offset > size
        || size - l.offset < need)
        return std::nullopt;
    return l;
}

// One row of the file into one row of the bitmap: 24-bit blue, green, red becomes red, green,
// blue; 32-bit rows are kept as they are. A 24-bit pixel moves as one four-byte word whose
// extra byte the next pixel overwrites; the row's last pixel moves byte by byte, so nothing
// is read or written beyond either row.
void copyRow(const uint8_t *from, uint8_t *to, int width, int bytesPerPixel)
{
    if (bytesPerPixel == 4) {
        std::memcpy(to, from, static_cast<size_t>(width) * 4);
        return;
    }
    for (int x = 0; x < width - 1; ++x, from += 3, to += 3) {
        // Read as big-endian, blue, green, red, next lands in the top three bytes in reverse;
        // written as little-endian, they come out red, green, blue.
        const uint32_t rgb = qFromBigEndian<uint32_t>(from) >> 8;
        qToLittleEndian<uint32_t>(rgb, to);
    }
    to[0] = from[2];
    to[1] = from[1];
    to[2] = from[0];
}

// One row of 32-bit pixels into a file row of 24-bit ones, the same way.
void packRow(const uint8_t *from, uint8_t *to, int width)
{
    for (int x = 0; x < width - 1; ++x, from += 4, to += 3)
        std::memcpy(to, from, 4);
    std::memcpy(to, from, 3);
}

// The bytes of pixel data a bitmap's headers promise, nothing when they cannot tell.
std::optional<uint64_t> promisedPixelBytes(const uint8_t *d, size_t size)
{
    const uint32_t infoSize = get32(d + 14);
    int64_t width = 0;
    int64_t height = 0;
    int bits = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    if (infoSize == 12 && size >= 26) { // the old core header: 16-bit sizes
        width = get16(d + 18);
        height = static_cast<int16_t>(get16(d + 20));
        bits = get16(d + 24);
    } else if (infoSize >= InfoHeaderSize && size >= HeaderSize) {
        width = static_cast<int32_t>(get32(d + 18));
        height = static_cast<int32_t>(get32(d + 22));
        bits = get16(d + 28);
        compression = get32(d + 30);
        imageSize = get32(d + 34);
    } else {
        return std::nullopt;
    }
    enum : uint32_t { Plain = 0, Rle8 = 1, Rle4 = 2, BitFields = 3, AlphaBitFields = 6 };
    if (compression == Rle8 || compression == Rle4) // run-length data: only its stated size
        return imageSize == 0 ? std::nullopt : std::optional<uint64_t>(imageSize);
    if (compression != Plain && compression != BitFields && compression != AlphaBitFields)
        return std::nullopt;
    if (width <= 0 || height == 0 || bits <= 0 || bits > 32)
        return std::nullopt;
    const uint64_t stride = (static_cast<uint64_t>(width) * bits + 31) / 32 * 4;
    return stride * static_cast<uint64_t>(height < 0 ? -height : height);
}

} // namespace

bool bitmapPixelDataComplete(QByteArrayView header, qint64 fileSize)
{
    const auto *d = reinterpret_cast<const uint8_t *>(header.data());
    const auto size = static_cast<size_t>(header.size());
    if (size < 2 || d[0] != 'B' || d[1] != 'M')
        return true;
    if (size < FileHeaderSize + 4 || fileSize < 0)
        return false;
    const std::optional<uint64_t> pixelBytes = promisedPixelBytes(d, size);
    const uint64_t offset = get32(d + 10);
    const auto available = static_cast<uint64_t>(fileSize);
    return pixelBytes && offset <= available && available - offset >= *pixelBytes;
}

bool bitmapIsRunLength(QByteArrayView header)
{
    enum : uint32_t { Rle8 = 1, Rle4 = 2 };
    const auto *d = reinterpret_cast<const uint8_t *>(header.data());
    if (static_cast<size_t>(header.size()) < HeaderSize || d[0] != 'B' || d[1] != 'M'
        || get32(d + 14) < InfoHeaderSize)
        return false;
    const uint32_t compression = get32(d + 30);
    return compression == Rle8 || compression == Rle4;
}

bool writeBitmapFile(const BgrxRows &rows, const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        return false;
    // Rows go out through a buffer of a few dozen kilobytes used over and over: a fresh
    // buffer as large as the file costs more in page faults than the extra writes do.
    const size_t stride = paddedRow(rows.width, 3);
    const size_t imageSize = stride * static_cast<size_t>(rows.height);
    const size_t pixelBytes = static_cast<size_t>(rows.width) * 3;
    std::vector<uint8_t> buffer(std::max(ChunkBytes, HeaderSize + stride));
    putHeaders(buffer.data(), rows.width, rows.height, static_cast<uint32_t>(imageSize));
    size_t used = HeaderSize;
    for (int y = rows.height - 1; y >= 0; --y) {
        if (buffer.size() - used < stride) {
            if (f.write(reinterpret_cast<const char *>(buffer.data()), used) != qint64(used))
                return false;
            used = 0;
        }
        uint8_t *to = buffer.data() + used;
        if (rows.width > 0)
            packRow(rows.top + rows.stride * y, to, rows.width);
        std::memset(to + pixelBytes, 0, stride - pixelBytes);
        used += stride;
    }
    return f.write(reinterpret_cast<const char *>(buffer.data()), used) == qint64(used);
}

std::optional<PixelBitmap> readBitmapFile(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const std::optional<Layout> l = layoutOf(f.read(HeaderSize), static_cast<size_t>(f.size()));
    if (!l || !f.seek(static_cast<qint64>(l->offset)))
        return std::nullopt;
    PixelBitmap b = l->bytesPerPixel == 4 ? PixelBitmap::bgrx(l->width, l->height)
                                          : PixelBitmap::rgb(l->width, l->height);
    const size_t rowBytes = static_cast<size_t>(l->width) * l->bytesPerPixel;
    // File rows are read a chunk at a time into one small buffer, as they are written.
    const int rowsPerChunk = static_cast<int>(std::max<size_t>(1, ChunkBytes / l->stride));
    std::vector<uint8_t> chunk(static_cast<size_t>(rowsPerChunk) * l->stride);
    for (int first = 0; first < l->height; first += rowsPerChunk) {
        const int n = std::min(rowsPerChunk, l->height - first);
        // The file's last row needs only its pixels, not its padding.
        const size_t want = l->stride * (n - 1) + (first + n == l->height ? rowBytes : l->stride);
        if (f.read(reinterpret_cast<char *>(chunk.data()), want) != qint64(want))
            return std::nullopt;
        for (int j = 0; j < n; ++j) {
            const int y = l->bottomUp ? l->height - 1 - (first + j) : first + j;
            copyRow(chunk.data() + l->stride * j, b.pixels.data() + rowBytes * y, l->width,
                    l->bytesPerPixel);
        }
    }
    return b;
}
