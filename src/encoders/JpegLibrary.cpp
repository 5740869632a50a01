#include "JpegLibrary.h"

#include <jerror.h>

#include <algorithm>
#include <cstdlib>

namespace {

void errorExit(j_common_ptr cinfo)
{
    auto *errors = reinterpret_cast<JpegErrors *>(cinfo->err);
    std::longjmp(errors->jump, 1);
}

void dropMessage(j_common_ptr) {}
void dropEmit(j_common_ptr, int) {}

void startBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<JpegBufferDestination *>(cinfo->dest);
    if (dest->buffer->capacity == 0 && !dest->buffer->grow(0))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    dest->pub.next_output_byte = dest->buffer->data;
    dest->pub.free_in_buffer = dest->buffer->capacity;
}

// Called with the whole buffer full.
boolean growBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<JpegBufferDestination *>(cinfo->dest);
    const size_t used = dest->buffer->capacity;
    if (!dest->buffer->grow(used * 2))
        ERREXIT1(cinfo, JERR_OUT_OF_MEMORY, 10);
    dest->pub.next_output_byte = dest->buffer->data + used;
    dest->pub.free_in_buffer = dest->buffer->capacity - used;
    return TRUE;
}

void endBuffer(j_compress_ptr cinfo)
{
    auto *dest = reinterpret_cast<JpegBufferDestination *>(cinfo->dest);
    dest->buffer->size = dest->buffer->capacity - dest->pub.free_in_buffer;
}

constexpr size_t KeptCapacity = 4 * 1024 * 1024;

} // namespace

void catchJpegErrors(j_common_ptr cinfo, JpegErrors &errors)
{
    cinfo->err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.output_message = dropMessage;
    errors.pub.emit_message = dropEmit;
}

JpegBuffer::~JpegBuffer()
{
    std::free(data);
}

bool JpegBuffer::grow(size_t atLeast)
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

void JpegBuffer::release()
{
    size = 0;
    if (capacity <= KeptCapacity)
        return;
    std::free(data);
    data = nullptr;
    capacity = 0;
}

void writeInto(j_compress_ptr cinfo, JpegBufferDestination &dest, JpegBuffer &buffer)
{
    dest.buffer = &buffer;
    dest.pub.init_destination = startBuffer;
    dest.pub.empty_output_buffer = growBuffer;
    dest.pub.term_destination = endBuffer;
    cinfo->dest = &dest.pub;
}

void setJpegParameters(j_compress_ptr cinfo, int width, int height, int bytesPerPixel, int quality)
{
    cinfo->image_width = static_cast<JDIMENSION>(width);
    cinfo->image_height = static_cast<JDIMENSION>(height);
    cinfo->input_components = bytesPerPixel;
    cinfo->in_color_space = bytesPerPixel == 4 ? JCS_EXT_BGRX : JCS_RGB;
    jpeg_set_defaults(cinfo);
    jpeg_set_quality(cinfo, quality, TRUE);
}

void writeScanlines(j_compress_ptr cinfo, const JpegRows &rows)
{
    while (cinfo->next_scanline < cinfo->image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rows.top + rows.stride * cinfo->next_scanline);
        jpeg_write_scanlines(cinfo, &row, 1);
    }
}

int compressRows(const JpegRows &rows, int quality, JpegBuffer &output)
{
    return runCompression(output, [&](j_compress_ptr cinfo) {
        setJpegParameters(cinfo, rows.width, rows.height, rows.bytesPerPixel, quality);
        jpeg_start_compress(cinfo, TRUE);
        writeScanlines(cinfo, rows);
        jpeg_finish_compress(cinfo);
    });
}
