#include "EncoderError.h"
#include "JpegWriter.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <ostream>
#include <thread>
#include <cstdio>
#include <sys/resource.h>
#include <sys/stat.h>
#include <jpeglib.h>
#include <jerror.h>

namespace {

// A card-like picture: smooth gradients, hard edges and noise, so every coding path of the
// encoder is exercised.
PixelBitmap busyPicture(int width, int height, unsigned seed)
{
    PixelBitmap b = PixelBitmap::rgb(width, height);
    unsigned state = seed;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            uint8_t *p = &b.pixels[(static_cast<size_t>(y) * width + x) * 3];
            const bool stripe = (x / 17 + y / 13) % 2 == 0;
            p[0] = static_cast<uint8_t>(stripe ? x * 255 / width : 231);
            p[1] = static_cast<uint8_t>((state >> 16) & 0xFF);
            p[2] = static_cast<uint8_t>(stripe ? y * 255 / height : 173);
        }
    return b;
}

QByteArray ppm(const PixelBitmap &b)
{
    QByteArray data = QByteArray("P6\n") + QByteArray::number(b.width) + " "
                      + QByteArray::number(b.height) + "\n255\n";
    data.append(reinterpret_cast<const char *>(b.pixels.data()),
                static_cast<qsizetype>(b.pixels.size()));
    return data;
}

QByteArray cjpeg(const PixelBitmap &b, const QTemporaryDir &dir)
{
    const QString in = dir.filePath("in.ppm");
    const QString out = dir.filePath("out.jpg");
    QFile file(in);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(ppm(b));
    file.close();
    QProcess process;
    process.start("/usr/bin/cjpeg", {"-quality", "100", "-baseline", "-outfile", out, in});
    EXPECT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    QFile result(out);
    EXPECT_TRUE(result.open(QIODevice::ReadOnly));
    return result.readAll();
}

// The JFIF density (units, X density, Y density) lies at bytes 13 to 17; it may differ.
QByteArray withoutDensity(QByteArray jpeg)
{
    if (jpeg.size() > 18 && jpeg.mid(6, 5) == QByteArray("JFIF\0", 5))
        jpeg.replace(13, 5, QByteArray(5, '\0'));
    return jpeg;
}

struct SizeRow {
    int width;
    int height;
};

class JpegMatchesCjpeg : public ::testing::TestWithParam<SizeRow> {};

TEST_P(JpegMatchesCjpeg, ByteForByte)
{
    QTemporaryDir dir;
    const PixelBitmap picture = busyPicture(GetParam().width, GetParam().height, 7);
    JpegWriter jpeg;
    jpeg.setQuality(100);
    jpeg.assign(picture);
    const QByteArray ours = jpeg.encode();
    const QByteArray reference = cjpeg(picture, dir);
    ASSERT_FALSE(reference.isEmpty());
    EXPECT_EQ(ours.size(), reference.size());
    EXPECT_TRUE(withoutDensity(ours) == withoutDensity(reference))
        << "the encoded bytes differ from cjpeg's";
}

// The screen's 32-bit layout (blue, green, red, unused) encodes to the same file.
TEST_P(JpegMatchesCjpeg, ThirtyTwoBitBitmapGivesTheSameFile)
{
    const PixelBitmap picture = busyPicture(GetParam().width, GetParam().height, 7);
    PixelBitmap bgrx = PixelBitmap::bgrx(picture.width, picture.height);
    for (size_t i = 0; i < picture.pixels.size() / 3; ++i) {
        bgrx.pixels[4 * i] = picture.pixels[3 * i + 2];
        bgrx.pixels[4 * i + 1] = picture.pixels[3 * i + 1];
        bgrx.pixels[4 * i + 2] = picture.pixels[3 * i];
        bgrx.pixels[4 * i + 3] = static_cast<uint8_t>(i);
    }
    JpegWriter rgb, wide;
    rgb.setQuality(100);
    wide.setQuality(100);
    rgb.assign(picture);
    wide.assign(bgrx);
    EXPECT_TRUE(wide.encode() == rgb.encode());
    EXPECT_EQ(toRgb24(bgrx).pixels, picture.pixels);
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegMatchesCjpeg,
                         ::testing::Values(SizeRow{511, 280}, SizeRow{1, 1}, SizeRow{17, 9}),
                         [](const auto &info) {
                             return std::to_string(info.param.width) + "x"
                                    + std::to_string(info.param.height);
                         });

struct RowsRow {
    const char *name;
    int bytesPerPixel;
    int padding; // bytes after each row's pixels
};

void PrintTo(const RowsRow &row, std::ostream *os) { *os << row.name; }

class JpegFromRows : public ::testing::TestWithParam<RowsRow> {};

// Rows read where they lie, a stride apart, give the file their tight copy gives.
TEST_P(JpegFromRows, FileMatchesTheCopiedBitmap)
{
    const RowsRow &row = GetParam();
    const PixelBitmap rgb = busyPicture(37, 23, 5);
    PixelBitmap tight = rgb;
    if (row.bytesPerPixel == 4) {
        tight = PixelBitmap::bgrx(rgb.width, rgb.height);
        for (size_t i = 0; i < rgb.pixels.size() / 3; ++i) {
            tight.pixels[4 * i] = rgb.pixels[3 * i + 2];
            tight.pixels[4 * i + 1] = rgb.pixels[3 * i + 1];
            tight.pixels[4 * i + 2] = rgb.pixels[3 * i];
        }
    }
    const size_t rowBytes = static_cast<size_t>(tight.width) * row.bytesPerPixel;
    const size_t stride = rowBytes + static_cast<size_t>(row.padding);
    std::vector<uint8_t> spaced(stride * tight.height, 0xA5);
    for (int y = 0; y < tight.height; ++y)
        std::copy_n(tight.pixels.data() + rowBytes * y, rowBytes, spaced.data() + stride * y);

    QTemporaryDir dir;
    const QString path = dir.filePath("rows.jpg");
    saveJpegFile({spaced.data(), static_cast<ptrdiff_t>(stride), tight.width, tight.height,
                  row.bytesPerPixel},
                 100, path);
    JpegWriter copied;
    copied.setQuality(100);
    copied.assign(tight);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll() == copied.encode());
}

INSTANTIATE_TEST_SUITE_P(Layouts, JpegFromRows,
                         ::testing::Values(RowsRow{"RgbTight", 3, 0}, RowsRow{"RgbPadded", 3, 5},
                                           RowsRow{"BgrxTight", 4, 0}, RowsRow{"BgrxPadded", 4, 12}),
                         [](const auto &info) { return std::string(info.param.name); });

struct SequenceRow {
    const char *name;
    std::vector<SizeRow> sizes;
};

void PrintTo(const SequenceRow &row, std::ostream *os) { *os << row.name; }

class JpegOneThreadAfterAnother : public ::testing::TestWithParam<SequenceRow> {};

// One thread encodes picture after picture into the buffer it keeps: each comes out as it
// does from a thread that never encoded before.
TEST_P(JpegOneThreadAfterAnother, EveryPictureAsIfFirst)
{
    unsigned seed = 1;
    for (const SizeRow &size : GetParam().sizes) {
        JpegWriter jpeg;
        jpeg.setQuality(100);
        jpeg.assign(busyPicture(size.width, size.height, ++seed));
        QByteArray fresh;
        std::thread([&] { fresh = jpeg.encode(); }).join();
        EXPECT_TRUE(jpeg.encode() == fresh) << size.width << "x" << size.height;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, JpegOneThreadAfterAnother,
    ::testing::Values(SequenceRow{"SmallThenLarge", {{8, 8}, {511, 280}, {900, 700}}},
                      SequenceRow{"LargeThenSmall", {{900, 700}, {3, 2}, {511, 280}}},
                      SequenceRow{"SameSizeAgain", {{511, 280}, {511, 280}}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JpegWriter, IndexedBitmapIsExpandedThroughItsTable)
{
    PixelBitmap indexed;
    indexed.width = 3;
    indexed.height = 1;
    indexed.bitsPerPixel = 8;
    indexed.colorTable = {{10, 20, 30}, {200, 100, 0}};
    indexed.pixels = {1, 0, 1};
    const PixelBitmap rgb = toRgb24(indexed);
    EXPECT_EQ(rgb.bitsPerPixel, 24);
    EXPECT_EQ(rgb.pixels, (std::vector<uint8_t>{200, 100, 0, 10, 20, 30, 200, 100, 0}));
}

struct ErrorRow {
    int width;
    int height;
    int messageCode;
};

class JpegLibraryError : public ::testing::TestWithParam<ErrorRow> {};

TEST_P(JpegLibraryError, EndsTheEncodingWithTheMessageCode)
{
    JpegWriter jpeg;
    jpeg.setQuality(100);
    jpeg.assign(PixelBitmap::rgb(GetParam().width, GetParam().height));
    try {
        jpeg.encode();
        FAIL() << "no error";
    } catch (const EncoderError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("JPEG error #%1").arg(GetParam().messageCode));
    }
    // The encoder stays usable after a long jump out of the library.
    jpeg.assign(PixelBitmap::rgb(8, 8));
    EXPECT_GT(jpeg.encode().size(), 100);
}

INSTANTIATE_TEST_SUITE_P(Rows, JpegLibraryError,
                         ::testing::Values(ErrorRow{0, 0, JERR_EMPTY_IMAGE},
                                           ErrorRow{70000, 1, JERR_IMAGE_TOO_BIG}),
                         [](const auto &info) {
                             return info.param.messageCode == JERR_EMPTY_IMAGE ? std::string("EmptyImage")
                                                                               : std::string("ImageTooBig");
                         });

TEST(JpegWriter, TargetInAMissingFolderCannotBeCreated)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("K1ABC/P.jpg");
    JpegWriter jpeg;
    jpeg.setQuality(100);
    jpeg.assign(busyPicture(16, 16, 1));
    try {
        jpeg.saveToFile(path);
        FAIL() << "no error";
    } catch (const EncoderError &e) {
        EXPECT_EQ(e.text(), "Cannot create file " + path);
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

TEST(JpegWriter, FailedWriteKeepsThePreviousFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.jpg");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();

    JpegWriter jpeg;
    jpeg.setQuality(100);
    jpeg.assign(busyPicture(511, 280, 1));
    // A file-size limit makes the write fail half-way, also for root.
    signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    rlimit small = previous;
    small.rlim_cur = 4000;
    setrlimit(RLIMIT_FSIZE, &small);
    QString text;
    try {
        jpeg.saveToFile(path);
    } catch (const EncoderError &e) {
        text = e.text();
    }
    setrlimit(RLIMIT_FSIZE, &previous);
    EXPECT_EQ(text, "Cannot create file " + path);
    QFile check(path);
    ASSERT_TRUE(check.open(QIODevice::ReadOnly));
    EXPECT_EQ(check.readAll(), QByteArray("previous"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"card.jpg"});
}

TEST(JpegWriter, SavedFileReplacesTheOldOneAndIsReadableByOthers)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.jpg");
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    const mode_t mask = ::umask(022);
    JpegWriter jpeg;
    jpeg.setQuality(100);
    jpeg.assign(busyPicture(16, 16, 1));
    jpeg.saveToFile(path);
    ::umask(mask);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), jpeg.encode());
    EXPECT_TRUE(saved.permissions() & QFile::ReadOther);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"card.jpg"});
}

struct ModeRow {
    const char *name;
    mode_t umask;
    mode_t mode;
};

class PictureFileMode : public ::testing::TestWithParam<ModeRow> {};

// A picture file gets the mode of any file the program creates: 0666 less the umask.
TEST_P(PictureFileMode, CreatedLessTheUmask)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("card.gif");
    const mode_t previous = ::umask(GetParam().umask);
    try {
        writeWholeFile(path, QByteArray("GIF87a"));
    } catch (...) {
        ::umask(previous);
        throw;
    }
    const mode_t during = ::umask(previous);
    EXPECT_EQ(GetParam().umask, during);
    struct stat info {};
    ASSERT_EQ(0, ::stat(QFile::encodeName(path).constData(), &info));
    EXPECT_EQ(GetParam().mode, info.st_mode & 0777);
}

INSTANTIATE_TEST_SUITE_P(Umasks, PictureFileMode,
                         ::testing::Values(ModeRow{"usual", 022, 0644}, ModeRow{"private", 077, 0600},
                                           ModeRow{"group", 002, 0664}, ModeRow{"none", 0, 0666},
                                           ModeRow{"odd", 0132, 0644}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
