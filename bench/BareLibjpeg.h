#pragma once

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

// The reference every card benchmark is measured against: one encode of RGB rows as libjpeg
// alone does it, quality 100, into memory. row(y) gives the 3 * width bytes of row y.
template <typename RowAt>
void bareLibjpegEncode(int width, int height, RowAt row)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW line = const_cast<JSAMPROW>(row(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &line, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
}
