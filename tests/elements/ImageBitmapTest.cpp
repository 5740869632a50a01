#include "ImageBitmap.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace {

constexpr int Width = 16;
constexpr int Height = 20;
const QRgb Navy = qRgb(0, 0, 128);
const QRgb Yellow = qRgb(255, 255, 0);

void put(QByteArray &to, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to.append(char(value >> (8 * i)));
}

enum : uint32_t { Plain = 0, Rle8 = 1, Rle4 = 2 };

// A Windows bitmap of Width x Height pixels with a palette of navy and yellow and the given
// pixel data.
QByteArray bitmap(int bits, uint32_t compression, const QByteArray &data)
{
    QByteArray info;
    put(info, 40, 4);
    put(info, Width, 4);
    put(info, Height, 4);
    put(info, 1, 2);
    put(info, uint32_t(bits), 2);
    put(info, compression, 4);
    put(info, uint32_t(data.size()), 4);
    put(info, 3780, 4);
    put(info, 3780, 4);
    put(info, 2, 4); // colours used
    put(info, 0, 4);
    for (const QRgb c : {Navy, Yellow}) {
        put(info, uint32_t(qBlue(c)) | uint32_t(qGreen(c)) << 8 | uint32_t(qRed(c)) << 16, 4);
    }
    QByteArray file("BM");
    put(file, uint32_t(14 + info.size() + data.size()), 4);
    put(file, 0, 4);
    put(file, uint32_t(14 + info.size()), 4);
    return file + info + data;
}

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (const int v : values)
        b.append(char(v));
    return b;
}

// Run-length rows from the bottom: each a run of Width pixels of index 1, then end of line.
QByteArray yellowRows(int rows, bool fourBits)
{
    QByteArray b;
    for (int r = 0; r < rows; ++r)
        b += bytes({Width, fourBits ? 0x11 : 1, 0, 0});
    return b;
}

// Plain rows of bits per pixel whose pixels count up through every index the depth holds.
QByteArray countingRows(int bits)
{
    QByteArray b;
    const int rowBytes = (Width * bits + 31) / 32 * 4;
    for (int y = 0; y < Height; ++y)
        for (int i = 0; i < rowBytes; ++i)
            b.append(char(y * 37 + i * 11 + 200));
    return b;
}

struct PictureRow {
    const char *name;
    QByteArray file;
    QPoint unset;   // a pixel the file does not set, or (-1, -1)
    QPoint beyond;  // a pixel whose index lies beyond the palette, or (-1, -1)
};

void PrintTo(const PictureRow &row, std::ostream *os) { *os << row.name; }

const QPoint None(-1, -1);

std::vector<PictureRow> pictureRows()
{
    const QByteArray end = bytes({0, 1});
    return {
        {"Rle8EndsAfterTenRows", bitmap(8, Rle8, yellowRows(10, false) + end), {3, 2}, None},
        {"Rle8WithoutEndMarker", bitmap(8, Rle8, yellowRows(10, false)), {3, 2}, None},
        {"Rle8JumpPastTheEnd", bitmap(8, Rle8, yellowRows(2, false) + bytes({0, 2, 200, 200, 4, 1}) + end),
         {3, 5}, None},
        {"Rle8LineEndsEarly", bitmap(8, Rle8, bytes({4, 1, 0, 0}) + yellowRows(19, false) + end),
         {10, Height - 1}, None},
        {"Rle4EndsAfterTenRows", bitmap(4, Rle4, yellowRows(10, true) + end), {3, 2}, None},
        {"EightBitIndicesBeyondThePalette", bitmap(8, Plain, countingRows(8)), None, {0, Height - 1}},
        {"FourBitIndicesBeyondThePalette", bitmap(4, Plain, countingRows(4)), None, {0, Height - 1}},
    };
}

QImage decoded(const QByteArray &file, uint8_t priorFill)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "bmp");
    return readWholeImage(reader, priorFill);
}

// The picture drawn on a canvas, as the card draws its background.
QImage painted(const QImage &picture, QRgb canvasColor)
{
    QImage canvas(picture.size(), QImage::Format_RGB32);
    canvas.fill(canvasColor);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, picture);
    return canvas;
}

class PixelsNotInTheFile : public ::testing::TestWithParam<PictureRow> {};

TEST_P(PixelsNotInTheFile, DoNotDependOnMemory)
{
    const PictureRow &row = GetParam();
    const QImage zeros = decoded(row.file, 0x00);
    const QImage ones = decoded(row.file, 0xff);
    ASSERT_FALSE(zeros.isNull());
    EXPECT_EQ(zeros.size(), QSize(Width, Height));
    EXPECT_TRUE(zeros == ones) << "pixels differ with what memory held before";
    const QImage picture = painted(zeros, qRgb(1, 2, 3));
    EXPECT_TRUE(picture == painted(ones, qRgb(250, 251, 252))) << "painted pixels differ";
    if (row.unset != None) {
        EXPECT_EQ(picture.pixel(row.unset), Navy) << "a pixel the file skips shows palette entry 0";
    }
    if (row.beyond != None) {
        EXPECT_EQ(picture.pixel(row.beyond), qRgb(0, 0, 0)) << "an index beyond the palette shows black";
    }
}

INSTANTIATE_TEST_SUITE_P(Bitmaps, PixelsNotInTheFile, ::testing::ValuesIn(pictureRows()),
                         [](const auto &info) { return std::string(info.param.name); });

// The rows a run-length bitmap does set come out as the file says.
TEST(RunLengthBitmap, SetPixelsKeepTheirColours)
{
    const QImage picture = painted(decoded(pictureRows()[0].file, 0x55), qRgb(1, 2, 3));
    EXPECT_EQ(picture.pixel(0, Height - 1), Yellow);
    EXPECT_EQ(picture.pixel(Width - 1, Height - 10), Yellow);
    EXPECT_EQ(picture.pixel(Width - 1, Height - 11), Navy);
}

} // namespace
