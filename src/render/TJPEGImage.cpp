#include "TJPEGImage.h"

#include "EncoderError.h"

#include <QSaveFile>

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <jpeglib.h>

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

struct Compression {
    const uint8_t *rgb;
    int width;
    int height;
    int quality;
    unsigned char *output;
    unsigned long outputSize;
};

// Holds only trivially destructible locals, so the long jump skips no destructor.
// Returns 0 on success or libjpeg's message code.
int compressRows(Compression &job)
{
    jpeg_compress_struct cinfo;
    ErrorManager errors;
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
    jpeg_mem_dest(&cinfo, &job.output, &job.outputSize);
    cinfo.image_width = static_cast<JDIMENSION>(job.width);
    cinfo.image_height = static_cast<JDIMENSION>(job.height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, job.quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const size_t stride = static_cast<size_t>(job.width) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(job.rgb + stride * cinfo.next_scanline);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

} // namespace

PixelBitmap toRgb24(const PixelBitmap &bitmap)
{
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

void TJPEGImage::assign(const PixelBitmap &bitmap)
{
    m_bitmap = toRgb24(bitmap);
}

QByteArray TJPEGImage::encode() const
{
    Compression job{m_bitmap.pixels.data(), m_bitmap.width, m_bitmap.height, m_quality,
                    nullptr, 0};
    const int code = compressRows(job);
    QByteArray result;
    if (code == 0)
        result = QByteArray(reinterpret_cast<const char *>(job.output),
                            static_cast<qsizetype>(job.outputSize));
    std::free(job.output);
    if (code != 0)
        throw EncoderError(QStringLiteral("JPEG error #%1").arg(code));
    return result;
}

void TJPEGImage::saveToFile(const QString &path) const
{
    writeWholeFile(path, encode());
}

void writeWholeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw EncoderError(QStringLiteral("Cannot create file %1").arg(path));
}
