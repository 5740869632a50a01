#include "CardPictureFiles.h"

#include "BitmapFile.h"
#include "ImageBitmap.h"
#include "KartelloError.h"
#include "GifImage.h"
#include "JpegWriter.h"

PixelBitmap throughBitmapFile(const QImage &snapshot, const QString &bmpPath)
{
    const bool bgrx = snapshot.format() == QImage::Format_RGB32
                      || snapshot.format() == QImage::Format_ARGB32;
    const QImage source = bgrx ? snapshot : snapshot.convertToFormat(QImage::Format_RGB32);
    const BgrxRows rows{source.constBits(), static_cast<ptrdiff_t>(source.bytesPerLine()),
                        source.width(), source.height()};
    if (source.isNull() || !writeBitmapFile(rows, bmpPath))
        throw KartelloError::cannotCreate(bmpPath);
    if (std::optional<PixelBitmap> read = readBitmapFile(bmpPath))
        return std::move(*read);
    // Not a kind read above (say the file was replaced meanwhile): Qt's reader takes the rest.
    QImage readBack;
    if (!readBack.load(bmpPath, "BMP"))
        throw KartelloError::cannotOpen(bmpPath);
    return bitmapFromImage(readBack);
}

void writeCardJpeg(PixelBitmap &&picture, const QString &path)
{
    JpegWriter jpeg;
    jpeg.setQuality(100);
    jpeg.assign(std::move(picture));
    jpeg.saveToFile(path);
}

void writeCardJpeg(const QImage &picture, const QString &path)
{
    writeCardJpeg(bitmapFromImage(picture), path);
}

void writeCardGif(const QImage &picture, const QString &path)
{
    GifImage gif;
    gif.assign(bitmapFromImage(picture));
    gif.saveToFile(path);
}
