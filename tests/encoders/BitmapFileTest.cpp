#include "BitmapFile.h"
#include "Picture.h"
#include "CardPictureFiles.h"
#include "ImageBitmap.h"
#include "KartelloError.h"
#include "TestNames.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <vector>
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
    Damage{"data beyond the end", 10, 60}, Damage{"data inside a larger header", 14, 124}),
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


struct CardJpegRow {
    const char *name;
    QImage::Format format;
    int padding; // bytes after each row of a picture whose rows lie in a buffer of its own
};

void PrintTo(const CardJpegRow &row, std::ostream *os) { *os << row.name; }

class CardJpegFromImage : public ::testing::TestWithParam<CardJpegRow> {};

// The card picture's JPEG is the file its bitmap copy gives, whatever the picture's format
// and however its rows lie in memory.
TEST_P(CardJpegFromImage, SameFileAsFromTheBitmapCopy)
{
    const CardJpegRow &row = GetParam();
    const QTemporaryDir dir;
    const QImage tight = noisyImage(511, 280, 3).convertToFormat(row.format);
    std::vector<uchar> buffer;
    QImage picture = tight;
    if (row.padding > 0) {
        const qsizetype stride = tight.bytesPerLine() + row.padding;
        buffer.assign(static_cast<size_t>(stride * tight.height()), 0x5A);
        for (int y = 0; y < tight.height(); ++y)
            std::memcpy(buffer.data() + stride * y, tight.constScanLine(y), tight.bytesPerLine());
        picture = QImage(buffer.data(), tight.width(), tight.height(), stride, row.format);
    }
    writeCardJpeg(picture, dir.filePath("direct.jpg"));
    writeCardJpeg(bitmapFromImage(tight), dir.filePath("copied.jpg"));
    const QByteArray direct = readAll(dir.filePath("direct.jpg"));
    EXPECT_GT(direct.size(), 1000);
    EXPECT_TRUE(direct == readAll(dir.filePath("copied.jpg")));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CardJpegFromImage,
    ::testing::Values(CardJpegRow{"Rgb32", QImage::Format_RGB32, 0},
                      CardJpegRow{"Argb32", QImage::Format_ARGB32, 0},
                      CardJpegRow{"Rgb32RowsApart", QImage::Format_RGB32, 20},
                      CardJpegRow{"Rgb888", QImage::Format_RGB888, 0},
                      CardJpegRow{"Premultiplied", QImage::Format_ARGB32_Premultiplied, 0}),
    [](const auto &info) { return std::string(info.param.name); });


// ---- Bitmaps cut short: refused before any reader decodes them ----

QByteArray qtBitmap(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

void put32At(QByteArray &bytes, int at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(value >> (8 * i));
}

QByteArray bitmap24() { return qtBitmap(noisyImage(640, 480, 5)); } // 54 + 640 * 3 * 480 bytes

QByteArray bitmap8()
{
    QImage indexed(33, 7, QImage::Format_Indexed8); // rows of 36 bytes
    indexed.setColorTable({qRgb(10, 20, 30), qRgb(200, 100, 0)});
    indexed.fill(1);
    return qtBitmap(indexed);
}

QByteArray topDown24()
{
    QByteArray bytes = qtBitmap(noisyImage(5, 4, 2));
    put32At(bytes, 22, uint32_t(-4));
    return bytes;
}

// A 2 x 2 24-bit bitmap with the old 12-byte header: rows of 8 bytes.
QByteArray coreHeader24()
{
    QByteArray bytes("BM", 2);
    bytes += QByteArray(24, '\0');
    put32At(bytes, 2, 26 + 16);
    put32At(bytes, 10, 26);
    put32At(bytes, 14, 12);
    bytes[18] = 2;
    bytes[20] = 2;
    bytes[22] = 1;
    bytes[24] = 24;
    return bytes + QByteArray(16, '\x7f');
}

// The 8-bit bitmap declared run-length coded with 40 bytes of data.
QByteArray rle8()
{
    QByteArray bytes = bitmap8();
    put32At(bytes, 30, 1);
    put32At(bytes, 34, 40);
    return bytes;
}

// The run-length bitmap cut one byte inside its 40 stated bytes.
QByteArray rle8CutInside()
{
    const QByteArray bytes = rle8();
    const auto offset = static_cast<uint8_t>(bytes[10]) | static_cast<uint8_t>(bytes[11]) << 8;
    return bytes.left(offset + 39);
}

struct CutRow {
    const char *what;
    QByteArray (*make)();
    int cut;        // bytes taken off the end; or, when negative, -(bytes kept)
    bool complete;
    bool decodes;   // whether the whole file is a sound picture (false: not checked)
};

void PrintTo(const CutRow &row, std::ostream *os) { *os << row.what; }

QByteArray cutFile(const CutRow &row)
{
    const QByteArray whole = row.make();
    return row.cut >= 0 ? whole.left(whole.size() - row.cut) : whole.left(-row.cut);
}

class CutBitmaps : public ::testing::TestWithParam<CutRow> {};

TEST_P(CutBitmaps, AreRefusedBeforeDecoding)
{
    const QByteArray file = cutFile(GetParam());
    EXPECT_EQ(bitmapPixelDataComplete(file.left(64), file.size()), GetParam().complete);
    QBuffer buffer;
    buffer.setData(file);
    ASSERT_TRUE(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer, "bmp");
    if (GetParam().complete && !GetParam().decodes)
        return;
    EXPECT_EQ(readWholeImage(reader).isNull(), !GetParam().complete);
}

// Load Bkg and every other picture path refuse the cut file with the usual message.
TEST_P(CutBitmaps, GiveNoCardPicture)
{
    const QTemporaryDir dir;
    const QString path = dir.filePath("bkg.bmp");
    writeAll(path, cutFile(GetParam()));
    if (GetParam().complete && !GetParam().decodes)
        return;
    QString error;
    Picture picture;
    try {
        picture.loadFromFile(path);
    } catch (const KartelloError &e) {
        error = e.text();
    }
    const bool readable = GetParam().complete;
    EXPECT_EQ(error, readable ? QString() : QStringLiteral("Bitmap image is not valid"));
    EXPECT_EQ(picture.isBitmap(), readable);
}

INSTANTIATE_TEST_SUITE_P(Files, CutBitmaps, ::testing::Values(
    CutRow{"Whole24Bit", bitmap24, 0, true, true},
    CutRow{"OneByteShort", bitmap24, 1, false, true},
    CutRow{"HalfThePixelData", bitmap24, 640 * 3 * 240, false, true},
    CutRow{"HundredBytes", bitmap24, -100, false, true},
    CutRow{"HeadersOnly", bitmap24, -54, false, true},
    CutRow{"InfoHeaderCut", bitmap24, -30, false, true},
    CutRow{"FileHeaderCut", bitmap24, -16, false, true},
    CutRow{"Whole8Bit", bitmap8, 0, true, true},
    CutRow{"LastRowShort8Bit", bitmap8, 3, false, true},
    CutRow{"TopDownWhole", topDown24, 0, true, true},
    CutRow{"TopDownShort", topDown24, 4, false, true},
    CutRow{"CoreHeaderWhole", coreHeader24, 0, true, true},
    CutRow{"CoreHeaderShort", coreHeader24, 1, false, true},
    CutRow{"RunLengthLongerThanStated", rle8, 0, true, false},
    CutRow{"RunLengthCutInsideStatedSize", rle8CutInside, 0, false, false}),
    [](const auto &info) { return std::string(info.param.what); });

// What is no bitmap is left to its own reader.
TEST(CutBitmaps, OtherFilesAreNotJudged)
{
    EXPECT_TRUE(bitmapPixelDataComplete("GIF89a", 6));
    EXPECT_TRUE(bitmapPixelDataComplete("", 0));
    EXPECT_FALSE(bitmapPixelDataComplete("BM", 2));
}

} // namespace
