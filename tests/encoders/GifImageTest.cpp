#include "EncoderError.h"
#include "GifImage.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

PixelBitmap noisyPicture(int width, int height, unsigned seed)
{
    PixelBitmap b = PixelBitmap::rgb(width, height);
    unsigned state = seed;
    for (uint8_t &v : b.pixels) {
        state = state * 1103515245u + 12345u;
        v = static_cast<uint8_t>(state >> 16);
    }
    return b;
}

// A card-like picture: large flat areas with a little noise.
PixelBitmap cardPicture(int width, int height)
{
    PixelBitmap b = noisyPicture(width, height, 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t *p = &b.pixels[(static_cast<size_t>(y) * width + x) * 3];
            if ((x / 40 + y / 30) % 3 != 0)
                p[0] = p[1] = p[2] = static_cast<uint8_t>(x % 7 == 0 ? 0 : 255);
        }
    return b;
}

struct Decoded {
    int error = 0;
    int width = 0, height = 0;
    std::vector<uint8_t> raster;
    std::vector<BitmapColor> palette;
};

struct Source {
    const QByteArray *data;
    int offset;
};

int readFromMemory(GifFileType *gif, GifByteType *buffer, int length)
{
    auto *source = static_cast<Source *>(gif->UserData);
    const int n = std::min(length, static_cast<int>(source->data->size()) - source->offset);
    std::memcpy(buffer, source->data->constData() + source->offset, n);
    source->offset += n;
    return n;
}

// giflib's decoder as the judge of what the file holds.
Decoded decodeWithGiflib(const QByteArray &gifBytes)
{
    Decoded d;
    Source source{&gifBytes, 0};
    GifFileType *gif = DGifOpen(&source, readFromMemory, &d.error);
    if (!gif)
        return d;
    if (DGifSlurp(gif) != GIF_OK || gif->ImageCount != 1) {
        d.error = gif->Error ? gif->Error : -1;
    } else {
        const SavedImage &image = gif->SavedImages[0];
        d.width = image.ImageDesc.Width;
        d.height = image.ImageDesc.Height;
        d.raster.assign(image.RasterBits, image.RasterBits + d.width * d.height);
        const ColorMapObject *map = image.ImageDesc.ColorMap;
        for (int i = 0; map && i < map->ColorCount; ++i)
            d.palette.push_back({map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue});
    }
    int closeError = 0;
    DGifCloseFile(gif, &closeError);
    return d;
}

std::vector<uint8_t> cubeIndices(const PixelBitmap &rgb)
{
    std::vector<uint8_t> out;
    for (size_t i = 0; i < rgb.pixels.size(); i += 3)
        out.push_back(static_cast<uint8_t>(NetscapeColorLookup::lookup(
            rgb.pixels[i], rgb.pixels[i + 1], rgb.pixels[i + 2])));
    return out;
}

struct CubeRow {
    int red, green, blue;
    int index;
};

class CubeLookup : public ::testing::TestWithParam<CubeRow> {};

TEST_P(CubeLookup, MapsToTheCubeEntry)
{
    const CubeRow row = GetParam();
    PixelBitmap one = PixelBitmap::rgb(1, 1);
    one.pixels = {uint8_t(row.red), uint8_t(row.green), uint8_t(row.blue)};
    GifImage gif;
    gif.assign(one);
    ASSERT_EQ(gif.images().size(), 1u);
    EXPECT_EQ(gif.images()[0].data, std::vector<uint8_t>{uint8_t(row.index)});
}

INSTANTIATE_TEST_SUITE_P(Colors, CubeLookup,
    ::testing::Values(CubeRow{255, 255, 255, 215}, CubeRow{0, 0, 0, 0},
                      CubeRow{255, 0, 0, 180}, CubeRow{250, 250, 250, 172},
                      CubeRow{0, 0, 47, 0}, CubeRow{0, 0, 48, 1}, CubeRow{0, 0, 251, 4},
                      CubeRow{0, 0, 252, 5}, CubeRow{0, 98, 0, 6}, CubeRow{0, 99, 0, 12},
                      CubeRow{231, 223, 173, 4 * 36 + 4 * 6 + 3}),
    [](const auto &info) {
        const auto &r = info.param;
        return "rgb" + std::to_string(r.red) + "_" + std::to_string(r.green) + "_" + std::to_string(r.blue);
    });

TEST(GifImage, ThirtyTwoBitBitmapReducesLikeItsRgbCopy)
{
    const PixelBitmap rgb = noisyPicture(61, 17, 4);
    PixelBitmap bgrx = PixelBitmap::bgrx(rgb.width, rgb.height);
    for (size_t i = 0; i < rgb.pixels.size() / 3; ++i) {
        bgrx.pixels[4 * i] = rgb.pixels[3 * i + 2];
        bgrx.pixels[4 * i + 1] = rgb.pixels[3 * i + 1];
        bgrx.pixels[4 * i + 2] = rgb.pixels[3 * i];
        bgrx.pixels[4 * i + 3] = 0xFF;
    }
    GifImage gif;
    gif.assign(bgrx);
    EXPECT_EQ(gif.images()[0].data, cubeIndices(rgb));
}

// Every byte value on every channel, so no level boundary of the reduction goes unchecked.
TEST(GifImage, EveryChannelValueReducesByTheLookupRule)
{
    PixelBitmap rgb = PixelBitmap::rgb(256, 3);
    for (int row = 0; row < 3; ++row)
        for (int v = 0; v < 256; ++v)
            rgb.pixels[3 * (row * 256 + v) + row] = static_cast<uint8_t>(v);
    GifImage gif;
    gif.assign(rgb);
    std::vector<uint8_t> expected;
    for (int row = 0; row < 3; ++row)
        for (int v = 0; v < 256; ++v)
            expected.push_back(static_cast<uint8_t>(NetscapeColorLookup::lookup(
                row == 0 ? v : 0, row == 1 ? v : 0, row == 2 ? v : 0)));
    EXPECT_EQ(gif.images()[0].data, expected);
}

TEST(GifImage, PaletteIsTheCubeThenFortyBlack)
{
    GifImage gif;
    gif.assign(PixelBitmap::rgb(2, 2));
    const GifColorMap &map = gif.images()[0].colorMap;
    ASSERT_EQ(map.count(), 256);
    EXPECT_EQ(map.bitsPerPixel(), 8);
    for (int n = 0; n < 216; ++n) {
        const BitmapColor expected{uint8_t(n / 36 * 51), uint8_t(n / 6 % 6 * 51),
                                   uint8_t(n % 6 * 51)};
        EXPECT_TRUE(map[n] == expected) << "entry " << n;
    }
    for (int n = 216; n < 256; ++n)
        EXPECT_TRUE(map[n] == BitmapColor{}) << "entry " << n;
    EXPECT_TRUE(map[172] == (BitmapColor{204, 204, 204}));
}

struct MapBitsRow {
    int colors;
    int bits;
};

class ColorMapBits : public ::testing::TestWithParam<MapBitsRow> {};

TEST_P(ColorMapBits, SmallestPowerOfTwoHoldingTheCount)
{
    GifColorMap map;
    for (int i = 0; i < GetParam().colors; ++i)
        map.add({uint8_t(i), 0, 0});
    EXPECT_EQ(map.bitsPerPixel(), GetParam().bits);
    EXPECT_EQ(map.fileBytes().size(), GetParam().bits == 0 ? 0u : (3u << GetParam().bits));
}

INSTANTIATE_TEST_SUITE_P(Counts, ColorMapBits,
    ::testing::Values(MapBitsRow{0, 0}, MapBitsRow{1, 1}, MapBitsRow{2, 1}, MapBitsRow{3, 2},
                      MapBitsRow{16, 4}, MapBitsRow{17, 5}, MapBitsRow{129, 8},
                      MapBitsRow{256, 8}),
    [](const auto &info) { return std::to_string(info.param.colors) + "colours"; });

TEST(GifColorMap, The257thColorOverflows)
{
    GifColorMap map;
    for (int i = 0; i < 256; ++i)
        map.add({});
    try {
        map.add({});
        FAIL() << "no error";
    } catch (const EncoderError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Color table overflow"));
    }
    EXPECT_EQ(map.count(), 256);
}

// Walks the file the way a reader would and checks every fixed byte of the layout.
TEST(GifImage, FileLayoutOfTheCard)
{
    const PixelBitmap card = cardPicture(511, 280);
    GifImage gif;
    gif.assign(card);
    const QByteArray bytes = gif.saveToBytes();
    const auto *b = reinterpret_cast<const uint8_t *>(bytes.constData());
    ASSERT_GT(bytes.size(), 13 + 10 + 768 + 3);
    EXPECT_EQ(bytes.left(6), QByteArray("GIF87a"));
    const uint8_t screen[] = {0xFF, 0x01, 0x18, 0x01, 0x77, 0, 0};
    EXPECT_EQ(std::vector<uint8_t>(b + 6, b + 13), std::vector<uint8_t>(screen, screen + 7));
    const uint8_t descriptor[] = {0x2C, 0, 0, 0, 0, 0xFF, 0x01, 0x18, 0x01, 0x87};
    EXPECT_EQ(std::vector<uint8_t>(b + 13, b + 23),
              std::vector<uint8_t>(descriptor, descriptor + 10));
    EXPECT_EQ(b[23 + 3 * 215], 255);                                  // white, entry 215
    EXPECT_EQ(std::vector<uint8_t>(b + 23 + 3 * 216, b + 23 + 768), std::vector<uint8_t>(120, 0));
    int pos = 23 + 768;
    EXPECT_EQ(b[pos++], 8);
    std::vector<int> blockLengths;
    while (pos < bytes.size() && b[pos] != 0) {
        blockLengths.push_back(b[pos]);
        pos += b[pos] + 1;
    }
    ASSERT_GE(blockLengths.size(), 2u);
    for (size_t i = 0; i + 1 < blockLengths.size(); ++i)
        ASSERT_EQ(blockLengths[i], 255) << "block " << i;
    EXPECT_EQ(pos, bytes.size() - 2);
    EXPECT_EQ(b[bytes.size() - 2], 0);
    EXPECT_EQ(b[bytes.size() - 1], 0x3B);
}

struct DecodeRow {
    const char *name;
    PixelBitmap (*make)();
};

class GiflibDecodes : public ::testing::TestWithParam<DecodeRow> {};

TEST_P(GiflibDecodes, ToTheCubeIndexOfEveryPixel)
{
    const PixelBitmap picture = GetParam().make();
    GifImage gif;
    gif.assign(picture);
    const Decoded d = decodeWithGiflib(gif.saveToBytes());
    ASSERT_EQ(d.error, 0);
    EXPECT_EQ(d.width, picture.width);
    EXPECT_EQ(d.height, picture.height);
    EXPECT_TRUE(d.raster == cubeIndices(picture)) << "decoded indices differ";
    ASSERT_EQ(d.palette.size(), 256u);
    EXPECT_TRUE(d.palette[180] == (BitmapColor{255, 0, 0}));
}

INSTANTIATE_TEST_SUITE_P(Pictures, GiflibDecodes, ::testing::Values(
    DecodeRow{"card", [] { return cardPicture(511, 280); }},
    DecodeRow{"noise", [] { return noisyPicture(511, 280, 11); }},
    DecodeRow{"flat", [] { return PixelBitmap::rgb(511, 280); }},
    DecodeRow{"single", [] { return noisyPicture(1, 1, 5); }},
    DecodeRow{"tiny", [] { return noisyPicture(3, 2, 9); }}),
    [](const auto &info) { return std::string(info.param.name); });

struct IndexedRow {
    const char *name;
    int bitsPerPixel;
    int colors;
    int screenByte;
    int imageByte;
    int minCodeSize;
};

class IndexedPassThrough : public ::testing::TestWithParam<IndexedRow> {};

TEST_P(IndexedPassThrough, KeepsItsOwnTableAndIndices)
{
    const IndexedRow row = GetParam();
    PixelBitmap b;
    b.width = 37;
    b.height = 23;
    b.bitsPerPixel = row.bitsPerPixel;
    for (int i = 0; i < row.colors; ++i)
        b.colorTable.push_back({uint8_t(i * 7), uint8_t(255 - i), uint8_t(i * 3)});
    for (int i = 0; i < b.width * b.height; ++i)
        b.pixels.push_back(static_cast<uint8_t>((i * 31 + i / 5) % row.colors));
    GifImage gif;
    gif.assign(b);
    const QByteArray bytes = gif.saveToBytes();
    EXPECT_EQ(uint8_t(bytes[10]), row.screenByte);
    EXPECT_EQ(uint8_t(bytes[22]), row.imageByte);
    const int tableSize = 3 << ((row.imageByte & 7) + 1);
    EXPECT_EQ(uint8_t(bytes[23 + tableSize]), row.minCodeSize);
    const Decoded d = decodeWithGiflib(bytes);
    ASSERT_EQ(d.error, 0);
    EXPECT_EQ(d.raster, b.pixels);
    ASSERT_EQ(d.palette.size(), size_t(1) << ((row.imageByte & 7) + 1));
    for (int i = 0; i < row.colors; ++i)
        EXPECT_TRUE(d.palette[i] == b.colorTable[i]) << "entry " << i;
    for (size_t i = row.colors; i < d.palette.size(); ++i)
        EXPECT_TRUE(d.palette[i] == BitmapColor{}) << "padding " << i;
}

INSTANTIATE_TEST_SUITE_P(Depths, IndexedPassThrough, ::testing::Values(
    IndexedRow{"mono", 1, 2, 0x00, 0x80, 2},
    IndexedRow{"sixteen", 4, 16, 0x33, 0x83, 4},
    IndexedRow{"twelve", 4, 12, 0x33, 0x83, 4},
    IndexedRow{"eightBitOddTable", 8, 100, 0x66, 0x86, 7},
    IndexedRow{"eightBitFull", 8, 256, 0x77, 0x87, 8}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(GifImage, PixelOutsideTheTableStopsTheEncoding)
{
    PixelBitmap b;
    b.width = 4;
    b.height = 1;
    b.bitsPerPixel = 8;
    b.colorTable.resize(16);
    b.pixels = {0, 3, 16, 1};
    GifImage gif;
    gif.assign(b);
    try {
        gif.saveToBytes();
        FAIL() << "no error";
    } catch (const EncoderError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Color not in color table"));
    }
}

} // namespace
