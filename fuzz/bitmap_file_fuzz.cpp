// Feeds arbitrary bytes as a bitmap file: what Kartello's own reader takes must match Qt's
// reader pixel for pixel, and a bitmap whose pixel data falls short is never decoded.
#include "BitmapFile.h"
#include "ImageBitmap.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const bool complete = bitmapPixelDataComplete(bytes.left(64), bytes.size());
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    reader.setAllocationLimit(64);
    const QImage general = readWholeImage(reader);
    if (!complete && bytes.startsWith("BM") && !general.isNull())
        std::abort();

    const QString path = dir.filePath(QStringLiteral("temp.bmp"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return 0;
    file.close();
    const std::optional<PixelBitmap> own = readBitmapFile(path);
    if (!own)
        return 0;
    if (own->width <= 0 || own->height <= 0
        || own->pixels.size() != size_t(own->width) * size_t(own->height) * size_t(own->bytesPerPixel()))
        std::abort();
    // Qt's reader as the independent judge, where it reads the file whole.
    if (!complete || general.isNull() || general.size() != QSize(own->width, own->height))
        return 0;
    const QImage rgb = general.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < own->height; ++y)
        for (int x = 0; x < own->width; ++x) {
            const uint8_t *p = &own->pixels[(size_t(y) * own->width + x) * own->bytesPerPixel()];
            const QRgb mine = own->bitsPerPixel == 32 ? qRgb(p[2], p[1], p[0]) : qRgb(p[0], p[1], p[2]);
            if (mine != (rgb.pixel(x, y) | 0xFF000000u))
                std::abort();
        }
    return 0;
}
