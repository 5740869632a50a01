#include "CardPictureFiles.h"

#include "ImageBitmap.h"
#include "KartelloError.h"
#include "TGIFImage.h"
#include "TJPEGImage.h"

#include <QFile>
#include <QImageReader>

QImage throughBitmapFile(const QImage &snapshot, const QString &bmpPath)
{
    if (!snapshot.save(bmpPath, "BMP"))
        throw KartelloError::cannotCreate(bmpPath);
    QImage readBack;
    if (!readBack.load(bmpPath, "BMP"))
        throw KartelloError::cannotOpen(bmpPath);
    return readBack;
}

void writeCardJpeg(const QImage &picture, const QString &path)
{
    TJPEGImage jpeg;
    jpeg.setQuality(100);
    jpeg.assign(bitmapFromImage(picture));
    jpeg.saveToFile(path);
}

void writeCardGif(const QImage &picture, const QString &path)
{
    TGIFImage gif;
    gif.assign(bitmapFromImage(picture));
    gif.saveToFile(path);
}
