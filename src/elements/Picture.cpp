#include "Picture.h"

#include "ImageBitmap.h"
#include "KartelloError.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace {

Picture::Kind kindForSuffix(const QString &suffix)
{
    static const struct { const char *suffix; Picture::Kind kind; } table[] = {
        {"bmp", Picture::Bitmap}, {"jpg", Picture::Jpeg}, {"jpeg", Picture::Jpeg},
        {"gif", Picture::Gif},    {"ico", Picture::Icon}, {"wmf", Picture::Metafile},
        {"emf", Picture::Metafile},
    };
    for (const auto &row : table) {
        if (suffix.compare(QLatin1String(row.suffix), Qt::CaseInsensitive) == 0)
            return row.kind;
    }
    return Picture::Other;
}

} // namespace

Picture Picture::fromImage(const QImage &image)
{
    Picture picture;
    if (!image.isNull()) {
        picture.m_kind = Bitmap;
        picture.m_image = image;
    }
    return picture;
}

void Picture::loadFromFile(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    const Kind kind = kindForSuffix(suffix);
    if (kind == Other)
        throw KartelloError(QStringLiteral("Unknown picture file extension (.%1)").arg(suffix));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw KartelloError::cannotOpen(path);
    QImageReader reader(&file, kind == Bitmap ? QByteArray("bmp") : QByteArray());
    QImage image = readWholeImage(reader);
    if (kind == Bitmap && image.isNull())
        throw KartelloError(QStringLiteral("Bitmap image is not valid"));
    m_kind = kind;
    m_image = image;
}
