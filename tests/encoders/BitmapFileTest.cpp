#include "BitmapFile.h"
#include "CardPictureFiles.h"
#include "KartelloError.h"
#include "TestNames.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

QImage noisyImage(int width, int height, unsigned seed)
{
    QImage image(width, height, QImage::Format_RGB32);
    unsigned state = seed;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            image.setPixel(x, y, 0xFF000000u | (state >> 8));
        }
    return image;
}

BgrxRows rowsOf(const QImage &image)
{
    return {image.constBits(), static_cast<ptrdiff_t>(image.bytesPerLine()), image.width(),
            image.height()};
}

// Where a bitmap read back differs from the image, or "" when every pixel matches.
std::string firstDifference(const PixelBitmap &b, const QImage &image)
{
    if (b.width != image.width() || b.height != image.height())
        return "size differs";
    for (int y = 0; y < b.height; ++y)
        for (int x = 0; x < b.width; ++x) {
            const uint8_t *p = &b.pixels[(static_cast<size_t>(y) * b.width + x) * b.bytesPerPixel()];
            const QRgb got = b.bitsPerPixel == 32 ? qRgb(p[2], p[1], p[0]) : qRgb(p[0], p[1], p[2]);
            if (got != (image.pixel(x, y) | 0xFF000000u))
                return "pixel " + std::to_string(x) + "," + std::to_string(y);
        }
    return "";
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &data)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(data);
}

struct Size {
    int width;
    int height;
};

class BitmapRoundTrip : public ::testing::TestWithParam<Size> {};

// Every width padding case (row bytes 3, 6, 9, 12 and 1533 modulo 4); Qt's reader checks
// that the file is a sound bitmap, our reader that the pixels come back.
TEST_P(BitmapRoundTrip, PaddedRowsComeBackAndQtReadsTheFile)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("temp.bmp");
    const QImage image = noisyImage(GetParam().width, GetParam().height, 7);
    ASSERT_TRUE(writeBitmapFile(rowsOf(image), path));
    const size_t stride = (static_cast<size_t>(image.width()) * 3 + 3) / 4 * 4;
    EXPECT_EQ(static_cast<size_t>(readAll(path).size()), 54 + stride * image.height());
    const std::optional<PixelBitmap> back = readBitmapFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->bitsPerPixel, 24);
    EXPECT_EQ(firstDifference(*back, image), "");
    QImage qt;
    ASSERT_TRUE(qt.load(path, "BMP"));
    EXPECT_EQ(qt.convertToFormat(QImage::Format_RGB32), image);
}

INSTANTIATE_TEST_SUITE_P(Widths, BitmapRoundTrip, ::testing::Values(
    Size{1, 1}, Size{2, 3}, Size{3, 2}, Size{4, 5}, Size{5, 1}, Size{511, 280}),
    [](const auto &info) {
        return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
    });

TEST(BitmapFile, ReadsWhatQtWritesAndTopDownRows)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("qt.bmp");
    const QImage image = noisyImage(37, 11, 3);
    ASSERT_TRUE(image.save(path, "BMP"));
    std::optional<PixelBitmap> back = readBitmapFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(firstDifference(*back, image), "");

    // The same picture stored from the top: negative height, rows in the other order.
    ASSERT_TRUE(writeBitmapFile(rowsOf(image), path));
    QByteArray file = readAll(path);
    const int stride = (37 * 3 + 3) / 4 * 4;
    QByteArray topDown = file.left(54);
    for (int row = 10; row >= 0; --row)
        topDown += file.mid(54 + row * stride, stride);
    const int32_t negative = -11;
    std::memcpy(topDown.data() + 22, &negative, 4);
    writeAll(path, topDown);
    back = readBitmapFile(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(firstDifference(*back, image), "");
}

struct Damage {
    const char *what;
    int offset; // byte changed, or -1 to cut the file short
    uint8_t value;
};

class BitmapRejected : public ::testing::TestWithParam<Damage> {};

// Files this reader does not take are left to Qt's: it must say so, not misread them.
TEST_P(BitmapRejected, ReadsNothing)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("temp.bmp");
    ASSERT_TRUE(writeBitmapFile(rowsOf(noisyImage(9, 4, 1)), path));
    QByteArray file = readAll(path);
    if (GetParam().offset < 0)
        file.chop(2); // the last row's padding byte and one byte of its pixels
    else
        file[GetParam().offset] = static_cast<char>(GetParam().value);
    writeAll(path, file);
    EXPECT_FALSE(readBitmapFile(path)) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Kinds, BitmapRejected, ::testing::Values(
    Damage{"not BM", 0, 'X'}, Damage{"8 bits per pixel", 28, 8}, Damage{"RLE", 30, 1},
    Damage{"core header", 14, 12}, Damage{"two planes", 26, 2}, Damage{"truncated", -1, 0},
    Damage{"data beyond the end", 10, 60}),
    [](const auto &info) { return testName(info.param.what); });

TEST(BitmapFile, IndexedQtFileFallsBackToQtsReader)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("indexed.bmp");
    QImage indexed(6, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 0)});
    indexed.fill(1);
    ASSERT_TRUE(indexed.save(path, "BMP"));
    EXPECT_FALSE(readBitmapFile(path));
    EXPECT_FALSE(readBitmapFile(dir.filePath("missing.bmp")));
}

TEST(CardPictureFiles, SnapshotComesBackThroughTheFile)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("temp.bmp");
    const QImage card = noisyImage(511, 280, 11);
    const PixelBitmap back = throughBitmapFile(card, path);
    EXPECT_EQ(firstDifference(back, card), "");
    EXPECT_TRUE(readAll(path).startsWith("BM"));
    // A snapshot in another format is written as its RGB pixels.
    EXPECT_EQ(firstDifference(throughBitmapFile(card.convertToFormat(QImage::Format_RGB888), path),
                              card),
              "");
    EXPECT_THROW(throughBitmapFile(card, dir.filePath("no/such/folder/temp.bmp")), KartelloError);
}

} // namespace
