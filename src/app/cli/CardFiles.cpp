#include "CardFiles.h"

#include "CardPictureFiles.h"
#include "features/BatchCard.h"
#include "ContactInfoFile.h"
#include "JpegWriter.h"
#include "KartelloError.h"

#include <QBuffer>
#include <QDate>
#include <QImageWriter>

namespace {

void writeCardPng(const QImage &card, const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(card))
        throw KartelloError::cannotCreate(path);
    writeWholeFile(path, bytes);
}

} // namespace

void writeCardPicture(CardFormat format, const QImage &card, const QString &path)
{
    switch (format) {
    case CardFormat::Jpg: writeCardJpeg(card, path); break;
    case CardFormat::Gif: writeCardGif(card, path); break;
    case CardFormat::Png: writeCardPng(card, path); break;
    case CardFormat::Pdf: break;
    }
}

void writeBatchContactInfo(const QString &folder, const QString &rowEmail, const QsoRecord &qso,
                           const QString &suffix)
{
    // The contact info file's own layout (UTF-8, every line ended by CR LF), written without
    // the disk flush of the data files: a thousand of them would wait on the disk, and each
    // can be made again.
    QByteArray bytes;
    for (const QString &line : contactInfoLines(batchEmailLine(rowEmail), qso))
        bytes += line.toUtf8() + "\r\n";
    writeWholeFile(batchContactInfoFileName(folder, QDate::currentDate(), qso.callSign, suffix), bytes);
}
