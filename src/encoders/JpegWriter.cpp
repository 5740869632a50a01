#include "JpegWriter.h"

#include "EncoderError.h"
#include "JpegLibrary.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

thread_local JpegBuffer t_output;

// This thread's output buffer while one picture's bytes are in it.
class EncodedBytes
{
public:
    EncodedBytes() = default;
    EncodedBytes(const EncodedBytes &) = delete;
    EncodedBytes &operator=(const EncodedBytes &) = delete;
    ~EncodedBytes() { t_output.release(); }
    QByteArray view() const
    {
        return QByteArray::fromRawData(reinterpret_cast<const char *>(t_output.data),
                                       static_cast<qsizetype>(t_output.size));
    }
};

// Encodes rows into this thread's output buffer.
void compress(const JpegRows &rows, int quality)
{
    const int code = compressRows(rows, quality, t_output);
    if (code != 0)
        throw EncoderError(QStringLiteral("JPEG error #%1").arg(code));
}

JpegRows rowsOf(const PixelBitmap &bitmap)
{
    const int bytes = bitmap.bytesPerPixel();
    return {bitmap.pixels.data(), static_cast<ptrdiff_t>(bitmap.width) * bytes, bitmap.width,
            bitmap.height, bytes};
}

} // namespace

PixelBitmap toRgb24(const PixelBitmap &bitmap)
{
    if (bitmap.bitsPerPixel == 32) {
        PixelBitmap out = PixelBitmap::rgb(bitmap.width, bitmap.height);
        for (size_t i = 0, n = out.pixels.size() / 3; i < n; ++i) {
            out.pixels[3 * i] = bitmap.pixels[4 * i + 2];
            out.pixels[3 * i + 1] = bitmap.pixels[4 * i + 1];
            out.pixels[3 * i + 2] = bitmap.pixels[4 * i];
        }
        return out;
    }
    if (!bitmap.isIndexed())
        return bitmap;
    PixelBitmap out = PixelBitmap::rgb(bitmap.width, bitmap.height);
    for (size_t i = 0; i < bitmap.pixels.size(); ++i) {
        const uint8_t index = bitmap.pixels[i];
        const BitmapColor c = index < bitmap.colorTable.size() ? bitmap.colorTable[index]
                                                               : BitmapColor{};
        out.pixels[3 * i] = c.red;
        out.pixels[3 * i + 1] = c.green;
        out.pixels[3 * i + 2] = c.blue;
    }
    return out;
}

void JpegWriter::assign(const PixelBitmap &bitmap)
{
    m_bitmap = bitmap.isIndexed() ? toRgb24(bitmap) : bitmap;
}

void JpegWriter::assign(PixelBitmap &&bitmap)
{
    m_bitmap = bitmap.isIndexed() ? toRgb24(bitmap) : std::move(bitmap);
}

QByteArray JpegWriter::encode() const
{
    const EncodedBytes bytes;
    compress(rowsOf(m_bitmap), m_quality);
    const QByteArray view = bytes.view();
    return QByteArray(view.constData(), view.size());
}

void JpegWriter::saveToFile(const QString &path) const
{
    saveJpegFile(rowsOf(m_bitmap), m_quality, path);
}

void saveJpegFile(const JpegRows &rows, int quality, const QString &path)
{
    // The file is written straight from the encoder's buffer, without a copy.
    const EncodedBytes bytes;
    compress(rows, quality);
    writeWholeFile(path, bytes.view());
}

namespace {

bool writeAllTo(int fd, const QByteArray &data)
{
    const char *p = data.constData();
    const char *const end = p + data.size();
    while (p < end) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(end - p));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
    }
    return true;
}

// Creates a new file named like target with a random suffix, in target's folder. The file is
// created with mode 0666 and the kernel takes the process's umask away, as for any file the
// program creates; nothing reads or changes the umask, which other threads share. -1 when no
// file can be created.
int createTemporaryBeside(const QByteArray &target, QByteArray &temp)
{
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray stem = target.left(slash + 1) + '.' + target.mid(slash + 1) + '.';
    for (int attempt = 0; attempt < 100; ++attempt) {
        temp = stem;
        for (int i = 0; i < 6; ++i)
            temp += kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)];
        const int fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

} // namespace

void writeWholeFile(const QString &path, const QByteArray &data)
{
    // A temporary file beside the target, renamed over it once complete: a failed write
    // leaves the previous file as it was. Unlike QSaveFile this does not fsync, which would
    // cost several times the encoding itself for a picture that can be made again; plain
    // system calls keep the file's cost to one create, one write and one rename.
    QByteArray temp;
    const QByteArray target = QFile::encodeName(path);
    const int fd = createTemporaryBeside(target, temp);
    if (fd < 0)
        throw EncoderError(QStringLiteral("Cannot create file %1").arg(path));
    bool written = writeAllTo(fd, data);
    written = ::close(fd) == 0 && written;
    if (!written || ::rename(temp.constData(), target.constData()) != 0) {
        ::unlink(temp.constData());
        throw EncoderError(QStringLiteral("Cannot create file %1").arg(path));
    }
}
