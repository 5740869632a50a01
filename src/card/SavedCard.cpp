#include "SavedCard.h"

#include "ImageBitmap.h"
#include "KartelloError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>

namespace card {

namespace {

// The decoded kinds: extension, reader format and the name the failure gives.
struct DecodedKind {
    const char *suffix;
    const char *format;
    const char *name;
};
const DecodedKind kDecoded[] = {
    {"bmp", "bmp", "Bitmap"}, {"png", "png", "PNG"}, {"jpg", "jpeg", "JPEG"}, {"jpeg", "jpeg", "JPEG"},
};

const DecodedKind *decodedKind(const QString &suffix)
{
    for (const DecodedKind &kind : kDecoded)
        if (suffix.compare(QLatin1String(kind.suffix), Qt::CaseInsensitive) == 0)
            return &kind;
    return nullptr;
}

// A bitmap has no transparency: a PNG's transparent parts show the card's white.
QImage opaque(const QImage &image)
{
    if (!image.hasAlphaChannel())
        return image;
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

} // namespace

QString backgroundPictureFilter()
{
    return QStringLiteral("BMP Files (*.bmp);;Pictures (*.bmp *.png *.jpg *.jpeg)");
}

QString contactInfoFilter()
{
    return QStringLiteral("TXT Files (*.txt)");
}

Picture loadBackgroundPicture(const QString &path)
{
    const DecodedKind *kind = decodedKind(QFileInfo(path).suffix());
    if (!kind) {
        Picture picture;
        picture.loadFromFile(path);
        return picture;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KartelloError::cannotOpen(path);
    QImageReader reader(&file, kind->format);
    reader.setAutoTransform(true);
    const QImage image = readWholeImage(reader);
    if (image.isNull())
        throw KartelloError(QStringLiteral("%1 image is not valid").arg(QLatin1String(kind->name)));
    return Picture::fromImage(opaque(image));
}

SavedQso savedQsoFromLines(const QStringList &lines)
{
    SavedQso qso;
    for (int line = 1; line <= 7; ++line) {
        if (line >= lines.size()) {
            qso.missingLine = line;
            return qso;
        }
        qso.fields << lines[line];
    }
    if (lines.constFirst().contains(QLatin1Char('@')))
        qso.contactEmail = lines.constFirst();
    return qso;
}

} // namespace card
