#pragma once

#include "JpegWriter.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

// What the JPEG encoders share around libjpeg. libjpeg is C: its error exit must not throw
// through the library's frames. It jumps back to the setjmp() of the function that called
// the library, which holds only trivially destructible locals and reports the message code.
struct JpegErrors {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
};

// Makes cinfo's errors jump to errors.jump; warnings and trace messages are dropped.
void catchJpegErrors(j_common_ptr cinfo, JpegErrors &errors);

// Encoded bytes in a buffer that is kept from one picture to the next, so that a run of
// pictures neither grows a fresh buffer by doubling (copying it each time) nor takes new pages
// from the system for every picture.
struct JpegBuffer {
    unsigned char *data = nullptr;
    size_t capacity = 0;
    size_t size = 0;
    JpegBuffer() = default;
    JpegBuffer(const JpegBuffer &) = delete;
    JpegBuffer &operator=(const JpegBuffer &) = delete;
    ~JpegBuffer();

    bool grow(size_t atLeast);
    // Forgets the bytes; a buffer that one very large picture made very large is given back.
    void release();
};

// libjpeg's destination writing into a JpegBuffer; lives as long as the compression.
struct JpegBufferDestination {
    jpeg_destination_mgr pub;
    JpegBuffer *buffer;
};

// Makes cinfo write into buffer through dest.
void writeInto(j_compress_ptr cinfo, JpegBufferDestination &dest, JpegBuffer &buffer);

// The encoder's settings for rows: libjpeg's defaults for RGB input, quality with baseline
// tables forced. A 32-bit picture is fed as it lies in memory; libjpeg turns
// blue-green-red-unused into the same RGB samples as a 24-bit copy would give, so the file is
// the same.
void setJpegParameters(j_compress_ptr cinfo, int width, int height, int bytesPerPixel, int quality);

// Runs steps(cinfo) on a compression that writes into output, with the library's errors
// caught, and destroys the compression either way. Returns 0, or libjpeg's message code (-1
// when it gives none). An error leaves steps by longjmp, so steps too may hold only trivially
// destructible locals.
template <typename Steps> int runCompression(JpegBuffer &output, const Steps &steps)
{
    jpeg_compress_struct cinfo;
    JpegErrors errors;
    JpegBufferDestination dest;
    catchJpegErrors(reinterpret_cast<j_common_ptr>(&cinfo), errors);
    if (setjmp(errors.jump)) {
        const int code = errors.pub.msg_code;
        jpeg_destroy_compress(&cinfo);
        return code == 0 ? -1 : code;
    }
    jpeg_create_compress(&cinfo);
    writeInto(&cinfo, dest, output);
    steps(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return 0;
}

// Hands every row of rows to a started compression.
void writeScanlines(j_compress_ptr cinfo, const JpegRows &rows);

// Encodes rows into output. Returns 0 on success or libjpeg's message code.
int compressRows(const JpegRows &rows, int quality, JpegBuffer &output);
