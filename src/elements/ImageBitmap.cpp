#include "ImageBitmap.h"

#include "BitmapFile.h"

#include <QIODevice>
#include <QtEndian>

#include <cstring>

namespace {

PixelBitmap indexedBitmap(const QImage &source)
{
    const bool mono = source.format() == QImage::Format_Mono
                      || source.format() == QImage::Format_MonoLSB;
    const QImage image = mono ? source : source.convertToFormat(QImage::Format_Indexed8);
    PixelBitmap b;
    b.width = image.width();
    b.height = image.height();
    b.bitsPerPixel = mono ? 1 : 8;
    for (const QRgb rgb : image.colorTable())
        b.colorTable.push_back({uint8_t(qRed(rgb)), uint8_t(qGreen(rgb)), uint8_t(qBlue(rgb))});
    b.pixels.reserve(static_cast<size_t>(b.width) * b.height);
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x)
            b.pixels.push_back(static_cast<uint8_t>(image.pixelIndex(x, y)));
    return b;
}

} // namespace

PixelBitmap bitmapFromImage(const QImage &image)
{
    const QImage::Format format = image.format();
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Mono
        || format == QImage::Format_MonoLSB)
        return indexedBitmap(image);
    if (format == QImage::Format_RGB32 || format == QImage::Format_ARGB32) {
        // The screen's and the bitmap file's usual format. 32-bit rows are always a whole
        // number of four-byte words: no padding between rows.
        PixelBitmap b;
        b.width = image.width();
        b.height = image.height();
        b.bitsPerPixel = 32;
        const uint8_t *bits = image.constBits();
        const size_t count = static_cast<size_t>(b.width) * b.height;
        if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
            // QRgb words lie in memory as blue, green, red, alpha already.
            b.pixels.assign(bits, bits + count * 4);
        } else {
            b.pixels.resize(count * 4);
            const auto *words = reinterpret_cast<const QRgb *>(bits);
            for (size_t i = 0; i < count; ++i)
                qToLittleEndian<quint32>(words[i], b.pixels.data() + 4 * i);
        }
        return b;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    PixelBitmap b = PixelBitmap::rgb(rgb.width(), rgb.height());
    const size_t rowBytes = static_cast<size_t>(rgb.width()) * 3;
    for (int y = 0; y < rgb.height(); ++y)
        std::memcpy(b.pixels.data() + rowBytes * y, rgb.constScanLine(y), rowBytes);
    return b;
}

namespace {

// Qt's bitmap reader decodes into the image it is given when that has the picture's size and
// format, and writes only the pixels the run-length data names.
QImage readRunLengthBitmap(QImageReader &reader, std::optional<uint8_t> priorFill)
{
    // The reader's own limit on a picture's memory holds for the memory handed to it too.
    const QSize size = reader.size();
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (size.isEmpty() || (limit > 0 && qint64(size.width()) * size.height() > limit))
        return QImage();
    QImage image(size, reader.imageFormat());
    if (image.isNull())
        return image;
    if (priorFill)
        std::memset(image.bits(), *priorFill, static_cast<size_t>(image.sizeInBytes()));
    // Pixels the data skips keep index 0: the first colour of the picture's palette.
    image.fill(0);
    const uchar *const memory = image.constBits();
    // A reader that took memory of its own could have left pixels unset: no picture then.
    if (!reader.read(&image) || image.constBits() != memory)
        return QImage();
    return image;
}

// An indexed picture's palette, filled up with black to every index its pixels can hold.
void fillUpPalette(QImage &image)
{
    const QImage::Format format = image.format();
    const bool mono = format == QImage::Format_Mono || format == QImage::Format_MonoLSB;
    if (!mono && format != QImage::Format_Indexed8)
        return;
    const int indices = mono ? 2 : 256;
    QList<QRgb> palette = image.colorTable();
    if (palette.size() >= indices)
        return;
    palette.resize(indices, qRgb(0, 0, 0));
    image.setColorTable(palette);
}

} // namespace

QImage readWholeImage(QImageReader &reader, std::optional<uint8_t> priorFill)
{
    QIODevice *device = reader.device();
    QImage image;
    if (device) {
        const QByteArray header = device->peek(64);
        if (!bitmapPixelDataComplete(header, device->size()))
            return QImage();
        if (bitmapIsRunLength(header))
            image = readRunLengthBitmap(reader, priorFill);
        else
            image = reader.read();
    } else {
        image = reader.read();
    }
    fillUpPalette(image);
    return image;
}
