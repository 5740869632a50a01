#include "CardPictureFiles.h"

#include "BitmapFile.h"
#include "ImageBitmap.h"
#include "KartelloError.h"
#include "GifImage.h"
#include "JpegSeriesGuard.h"
#include "JpegWriter.h"

#include <QFile>
#include <QImageReader>
#include <QtEndian>

namespace {

constexpr int CardJpegQuality = 100;

// The snapshot as rows of blue, green, red, unused bytes. That is how a 32-bit QImage lies in
// memory on a little-endian machine; elsewhere each pixel word is laid out byte by byte.
QImage bgrxImage(const QImage &snapshot)
{
    const bool rgb32 = snapshot.format() == QImage::Format_RGB32
                       || snapshot.format() == QImage::Format_ARGB32;
    QImage image = rgb32 ? snapshot : snapshot.convertToFormat(QImage::Format_RGB32);
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN) {
        for (int y = 0; y < image.height(); ++y) {
            auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                qToLittleEndian<quint32>(row[x], row + x);
        }
    }
    return image;
}

} // namespace

PixelBitmap throughBitmapFile(const QImage &snapshot, const QString &bmpPath)
{
    const QImage source = bgrxImage(snapshot);
    const BgrxRows rows{source.constBits(), static_cast<ptrdiff_t>(source.bytesPerLine()),
                        source.width(), source.height()};
    if (source.isNull() || !writeBitmapFile(rows, bmpPath))
        throw KartelloError::cannotCreate(bmpPath);
    if (std::optional<PixelBitmap> read = readBitmapFile(bmpPath))
        return std::move(*read);
    // Not a kind read above (say the file was replaced meanwhile): Qt's reader takes the rest.
    QFile file(bmpPath);
    QImageReader reader(&file, "BMP");
    const QImage readBack = file.open(QIODevice::ReadOnly) ? readWholeImage(reader) : QImage();
    if (readBack.isNull())
        throw KartelloError::cannotOpen(bmpPath);
    return bitmapFromImage(readBack);
}

void writeCardJpeg(PixelBitmap &&picture, const QString &path)
{
    JpegWriter jpeg;
    jpeg.setQuality(CardJpegQuality);
    jpeg.assign(std::move(picture));
    jpeg.saveToFile(path);
}

void writeCardJpeg(const QImage &picture, const QString &path)
{
    // A 32-bit picture's rows already lie in memory as blue, green, red, unused on a
    // little-endian machine: the encoder reads them in place, as it would read their copy.
    const bool bgrx = picture.format() == QImage::Format_RGB32
                      || picture.format() == QImage::Format_ARGB32;
    if (Q_BYTE_ORDER == Q_LITTLE_ENDIAN && bgrx) {
        saveJpegFileInSeries({picture.constBits(), static_cast<ptrdiff_t>(picture.bytesPerLine()),
                      picture.width(), picture.height(), 4},
                     CardJpegQuality, path);
        return;
    }
    writeCardJpeg(bitmapFromImage(picture), path);
}

void writeCardGif(const QImage &picture, const QString &path)
{
    GifImage gif;
    gif.assign(bitmapFromImage(picture));
    gif.saveToFile(path);
}
