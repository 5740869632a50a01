#include "JpegWriter.h"

#include "EncoderError.h"

#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <jpeglib.h>
#include <jerror.h>
#include <unistd.h>

namespace {

// libjpeg is C: its error exit must not throw through the library's frames. It jumps back
// into compressRows(), which reports the message code to its C++ caller.
struct ErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

void errorExit(j_common_ptr cinfo)
{
    auto *manager = reinterpret_cast<ErrorManager *>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

void dropMessage(j_common_ptr) {}
void dropEmit(j_common_ptr, int) {}

// The encoded bytes of a picture. Each thread keeps its buffer from one picture to the next,
// so that a run of cards neither grows a fresh buffer by doubling (copying it each time) nor
// takes new pages from the system for every card.
struct OutputBuffer {
    unsigned char *data = nullptr;
    size_t capacity = 0;
    size_t size = 0;
    OutputBuffer() = default;
    OutputBuffer(const OutputBuffer &) = delete;
    OutputBuffer &operator=(const OutputBuffer &) = delete;
    ~OutputBuffer() { std::free(data); }

    bool grow(size_t atLeast)
    {
        size_t wanted = std::max<size_t>(capacity, 64 * 1024);
        while (wanted < atLeast)
            wanted *= 2;
        auto *grown = static_cast<unsigned char *>(std::realloc(data, wanted));
        if (!grown)
            return false;
        data = grown;
        capacity = wanted;
        return true;
    }
    // A buffer that one very large picture made very large is given back once written.
    void release()
    {
        size = 0;
        if (capacity <= kKeptCapacity)
            return;
        std::free(data);
        data = nullptr;
        capacity = 0;
    }
    static constexpr size_t kKeptCapacity = 4 * 1024 * 1024;
};

thread_local OutputBuffer t_output;

struct BufferDestination {
    jpeg_destination_mgr pub;
    OutputBuffer *buffer;
};

void startBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<BufferDestination *>(cinfo->dest);
    if (dest->buffer->capacity == 0 && !dest->buffer->grow(0))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    dest->pub.next_output_byte = dest->buffer->data;
    dest->pub.free_in_buffer = dest->buffer->capacity;
}

// Called with the whole buffer full.
boolean growBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<BufferDestination *>(cinfo->dest);
    const size_t used = dest->buffer->capacity;
    if (!dest->buffer->grow(used * 2))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    dest->pub.next_output_byte = dest->buffer->data + used;
    dest->pub.free_in_buffer = dest->buffer->capacity - used;
    return TRUE;
}

void endBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<BufferDestination *>(cinfo->dest);
    dest->buffer->size = dest->buffer->capacity - dest->pub.free_in_buffer;
}

struct Compression {
    JpegRows rows;
    int quality;
    OutputBuffer *output;
};

// Holds only trivially destructible locals, so the long jump skips no destructor.
// Returns 0 on success or libjpeg's message code.
int compressRows(Compression &job)
{
    jpeg_compress_struct cinfo;
    ErrorManager errors;
    BufferDestination dest{{}, job.output};
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.output_message = dropMessage;
    errors.pub.emit_message = dropEmit;
    if (setjmp(errors.jump)) {
        const int code = errors.pub.msg_code;
        jpeg_destroy_compress(&cinfo);
        return code == 0 ? -1 : code;
    }
    jpeg_create_compress(&cinfo);
    dest.pub.init_destination = startBuffer;
    dest.pub.empty_output_buffer = growBuffer;
    dest.pub.term_destination = endBuffer;
    cinfo.dest = &dest.pub;
    const JpegRows &rows = job.rows;
    cinfo.image_width = static_cast<JDIMENSION>(rows.width);
    cinfo.image_height = static_cast<JDIMENSION>(rows.height);
    // A 32-bit bitmap is fed as it lies in memory; libjpeg turns blue-green-red-unused into
    // the same RGB samples as a 24-bit copy would give, so the file is the same.
    cinfo.input_components = rows.bytesPerPixel;
    cinfo.in_color_space = rows.bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.top + rows.stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

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
    Compression job{rows, quality, &t_output};
    const int code = compressRows(job);
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
