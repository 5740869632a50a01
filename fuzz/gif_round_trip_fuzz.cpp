// Feeds arbitrary bytes as the pixels of a picture, written as Create GIF writes it and read
// back with giflib: the file is sound, and each pixel is the cube colour its RGB maps to.
#include "GifImage.h"

#include <gif_lib.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

struct Source {
    const QByteArray *bytes;
    int at;
};

int readFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *source = static_cast<Source *>(gif->UserData);
    const int n = std::min(length, int(source->bytes->size()) - source->at);
    std::memcpy(buffer, source->bytes->constData() + source->at, size_t(n));
    source->at += n;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    // The first byte chooses the width (1 to 64); the rest are red, green, blue triples.
    const int width = data[0] % 64 + 1;
    const int height = int((size - 1) / 3) / width;
    if (height < 1)
        return 0;
    PixelBitmap rgb = PixelBitmap::rgb(width, height);
    std::memcpy(rgb.pixels.data(), data + 1, rgb.pixels.size());
    GifImage gif;
    gif.assign(rgb);
    const QByteArray file = gif.saveToBytes();

    Source source{&file, 0};
    int error = 0;
    GifFileType *decoded = DGifOpen(&source, readFromMemory, &error);
    if (!decoded)
        std::abort();
    if (DGifSlurp(decoded) != GIF_OK || decoded->ImageCount != 1)
        std::abort();
    const SavedImage &image = decoded->SavedImages[0];
    const ColorMapObject *map = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : decoded->SColorMap;
    if (!map || image.ImageDesc.Width != width || image.ImageDesc.Height != height)
        std::abort();
    for (int i = 0; i < width * height; ++i) {
        const uint8_t *p = &rgb.pixels[size_t(i) * 3];
        const BitmapColor want = NetscapeColorLookup::color(NetscapeColorLookup::lookup(p[0], p[1], p[2]));
        const int index = image.RasterBits[i];
        if (index >= map->ColorCount)
            std::abort();
        const GifColorType got = map->Colors[index];
        if (got.Red != want.red || got.Green != want.green || got.Blue != want.blue)
            std::abort();
    }
    DGifCloseFile(decoded, &error);
    return 0;
}
