#pragma once

#include "PixelBitmap.h"

#include <QImage>
#include <QString>

// The card snapshot on its way into picture files. The snapshot goes through a Windows
// bitmap file first and the picture is made from what is read back, so that the file holds
// exactly the pixels that were on screen.

// Writes snapshot to bmpPath as a 24-bit bitmap file and returns the pixels read back from it
// (as 24-bit red, green, blue for the file written here). Throws "Cannot create file
// <bmpPath>" or "Cannot open file <bmpPath>"; the file is left for the caller to remove.
PixelBitmap throughBitmapFile(const QImage &snapshot, const QString &bmpPath);

// Writes picture as a baseline JPEG at quality 100 to path ("JPEG error #%d",
// "Cannot create file %s"); a failed write leaves any previous file untouched.
void writeCardJpeg(PixelBitmap &&picture, const QString &path);
void writeCardJpeg(const QImage &picture, const QString &path);

// Writes picture as a GIF87a reduced to the 216-colour cube (an 8-bit or 1-bit picture keeps
// its own table) to path; a failed write leaves any previous file untouched.
void writeCardGif(const QImage &picture, const QString &path);
