// Feeds arbitrary bytes as a background picture (Load Bkg) under each of its extensions: a
// picture is refused with a message or loaded whole, and loading it twice gives the same
// pixels (a picture painted from memory its reader did not fill would differ). The decoder is
// also run over memory filled two ways before it, which must not show in the picture, and
// every pixel of an indexed picture must have a colour in its palette.
#include "ImageBitmap.h"
#include "KartelloError.h"
#include "SavedCard.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    QImageReader::setAllocationLimit(64);
    return 0;
}

namespace {

QImage loaded(const QString &path, QString &error)
{
    try {
        return card::loadBackgroundPicture(path).image();
    } catch (const KartelloError &e) {
        error = e.text();
    }
    return QImage();
}

QImage decodedOver(const QByteArray &bytes, const char *format, uint8_t priorFill)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    return readWholeImage(reader, priorFill);
}

bool everyIndexHasAColour(const QImage &image)
{
    if (image.format() != QImage::Format_Indexed8)
        return image.colorCount() == 0 || image.colorCount() >= 2;
    const int colours = image.colorCount();
    for (int y = 0; y < image.height(); ++y) {
        const uchar *line = image.constScanLine(y);
        for (int x = 0; x < image.width(); ++x)
            if (line[x] >= colours)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir dir;
    if (size < 1)
        return 0;
    static const char *const suffixes[] = {"bmp", "png", "jpg", "jpeg"};
    const QString path = dir.filePath(QStringLiteral("bkg.") + QLatin1String(suffixes[data[0] % 4]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(reinterpret_cast<const char *>(data + 1), qint64(size - 1)) != qint64(size - 1))
        return 0;
    file.close();
    QString firstError, secondError;
    const QImage first = loaded(path, firstError);
    const QImage second = loaded(path, secondError);
    if (firstError != secondError || first.isNull() != second.isNull())
        std::abort();
    if (first.isNull() != !firstError.isEmpty())
        std::abort();
    if (!first.isNull() && (first.hasAlphaChannel() || first != second))
        std::abort();
    static const char *const formats[] = {"bmp", "png", "jpeg", "jpeg"};
    const QByteArray bytes(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    const QImage overZeros = decodedOver(bytes, formats[data[0] % 4], 0x00);
    const QImage overOnes = decodedOver(bytes, formats[data[0] % 4], 0xff);
    if (overZeros != overOnes || !everyIndexHasAColour(overZeros))
        std::abort();
    return 0;
}
