#include "EncoderError.h"
#include "JpegSeriesGuard.h"
#if KARTELLO_JPEG_SERIES
#include "JpegSeries.h"
#endif

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <thread>
#include <vector>

namespace {

// Pixels that vary everywhere, so that any band coded from the wrong rows shows.
void scribble(PixelBitmap &b, int x0, int y0, int w, int h, unsigned seed)
{
    const int bytes = b.bytesPerPixel();
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            for (int k = 0; k < bytes; ++k) {
                seed = seed * 1103515245u + 12345u;
                b.pixels[(static_cast<size_t>(y) * b.width + x) * bytes + k] = uint8_t(seed >> 16);
            }
}

PixelBitmap picture(int width, int height, int bitsPerPixel)
{
    PixelBitmap b = bitsPerPixel == 32 ? PixelBitmap::bgrx(width, height) : PixelBitmap::rgb(width, height);
    scribble(b, 0, 0, width, height, 99);
    return b;
}

#if KARTELLO_JPEG_SERIES

// One picture of a series: the previous one with a rectangle scribbled over, then encoded.
struct Step {
    int x, y, w, h;
    int bandsConverted;
};

struct SeriesRow {
    const char *name;
    int width;
    int height;
    int bitsPerPixel;
    std::vector<Step> steps;
};

void PrintTo(const SeriesRow &row, std::ostream *os) { *os << row.name; }

class JpegSeriesSteps : public ::testing::TestWithParam<SeriesRow> {};

// Every picture of the series comes out as JpegWriter encodes it alone, and only the bands
// from the first to the last changed one are converted again.
TEST_P(JpegSeriesSteps, SameBytesAsEachPictureAlone)
{
    const SeriesRow &row = GetParam();
    PixelBitmap b = picture(row.width, row.height, row.bitsPerPixel);
    JpegSeries series;
    const int bands = (row.height + 15) / 16;
    const auto encode = [&] {
        return series.encode({b.pixels.data(), static_cast<ptrdiff_t>(b.width) * b.bytesPerPixel(),
                              b.width, b.height, b.bytesPerPixel()},
                             100);
    };
    JpegWriter alone;
    alone.setQuality(100);
    alone.assign(b);
    EXPECT_TRUE(encode() == alone.encode()) << "first picture";
    EXPECT_EQ(series.bandsConverted(), bands);
    unsigned seed = 1;
    for (size_t i = 0; i < row.steps.size(); ++i) {
        const Step &step = row.steps[i];
        scribble(b, step.x, step.y, step.w, step.h, ++seed);
        alone.assign(b);
        EXPECT_TRUE(encode() == alone.encode()) << "picture " << i + 2;
        EXPECT_EQ(series.bandsConverted(), step.bandsConverted) << "picture " << i + 2;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Series, JpegSeriesSteps,
    ::testing::Values(
        SeriesRow{"CardValuesInTheLastBands", 511, 280, 32,
                  {{40, 260, 300, 18, 2}, {10, 270, 20, 10, 2}, {500, 279, 11, 1, 1}, {0, 250, 1, 1, 1}}},
        SeriesRow{"FirstBand", 511, 280, 32, {{0, 0, 511, 3, 1}, {200, 15, 1, 1, 1}}},
        SeriesRow{"TwoBandsApartConvertTheOnesBetween", 511, 280, 24, {{5, 40, 4, 4, 1}, {5, 40, 4, 70, 5}}},
        SeriesRow{"NothingChanged", 64, 64, 24, {{0, 0, 0, 0, 0}, {0, 0, 0, 0, 0}}},
        SeriesRow{"MostBandsChangedConvertsAll", 100, 96, 32, {{0, 20, 100, 60, 6}, {50, 48, 1, 1, 1}}},
        SeriesRow{"RightEdgeOfAnOddWidth", 37, 23, 24, {{36, 0, 1, 1, 1}, {30, 22, 7, 1, 1}}},
        SeriesRow{"OneRow", 70, 1, 32, {{3, 0, 1, 1, 1}}}),
    [](const auto &info) { return std::string(info.param.name); });

struct ChangeRow {
    const char *name;
    int width;
    int height;
    int bitsPerPixel;
    int quality;
};

void PrintTo(const ChangeRow &row, std::ostream *os) { *os << row.name; }

class JpegSeriesChangeOfKind : public ::testing::TestWithParam<ChangeRow> {};

// A picture of another size, layout or quality starts the series again.
TEST_P(JpegSeriesChangeOfKind, IsEncodedWhole)
{
    const ChangeRow &row = GetParam();
    JpegSeries series;
    const PixelBitmap first = picture(64, 48, 32);
    series.encode({first.pixels.data(), 64 * 4, 64, 48, 4}, 100);
    const PixelBitmap next = picture(row.width, row.height, row.bitsPerPixel);
    const QByteArray bytes = series.encode({next.pixels.data(),
                                            static_cast<ptrdiff_t>(next.width) * next.bytesPerPixel(),
                                            next.width, next.height, next.bytesPerPixel()},
                                           row.quality);
    JpegWriter alone;
    alone.setQuality(row.quality);
    alone.assign(next);
    EXPECT_TRUE(bytes == alone.encode());
    EXPECT_EQ(series.bandsConverted(), (row.height + 15) / 16);
}

INSTANTIATE_TEST_SUITE_P(Kinds, JpegSeriesChangeOfKind,
                         ::testing::Values(ChangeRow{"Wider", 80, 48, 32, 100},
                                           ChangeRow{"Shorter", 64, 40, 32, 100},
                                           ChangeRow{"ThreeBytesAPixel", 64, 48, 24, 100},
                                           ChangeRow{"OtherQuality", 64, 48, 32, 75}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(JpegSeries, ErrorLeavesTheSeriesUsable)
{
    JpegSeries series;
    const PixelBitmap b = picture(32, 32, 24);
    series.encode({b.pixels.data(), 96, 32, 32, 3}, 100);
    EXPECT_THROW(series.encode({b.pixels.data(), 96, 0, 0, 3}, 100), EncoderError);
    JpegWriter alone;
    alone.setQuality(100);
    alone.assign(b);
    EXPECT_TRUE(series.encode({b.pixels.data(), 96, 32, 32, 3}, 100) == alone.encode());
    EXPECT_EQ(series.bandsConverted(), 2);
}

#endif // KARTELLO_JPEG_SERIES

struct FileRow {
    const char *name;
    int width;
    int height;
};

void PrintTo(const FileRow &row, std::ostream *os) { *os << row.name; }

class JpegSeriesFile : public ::testing::TestWithParam<FileRow> {};

// The file of a picture written twice through this thread's series, and written alone.
TEST_P(JpegSeriesFile, IsWrittenAsSaveJpegFileWritesIt)
{
    const FileRow &row = GetParam();
    QTemporaryDir dir;
    const PixelBitmap b = picture(row.width, row.height, 32);
    const JpegRows rows{b.pixels.data(), static_cast<ptrdiff_t>(row.width) * 4, row.width, row.height, 4};
    saveJpegFileInSeries(rows, 100, dir.filePath("series.jpg"));
    saveJpegFileInSeries(rows, 100, dir.filePath("again.jpg"));
    saveJpegFile(rows, 100, dir.filePath("alone.jpg"));
    QFile series(dir.filePath("series.jpg")), again(dir.filePath("again.jpg")), alone(dir.filePath("alone.jpg"));
    ASSERT_TRUE(series.open(QIODevice::ReadOnly) && again.open(QIODevice::ReadOnly)
                && alone.open(QIODevice::ReadOnly));
    const QByteArray expected = alone.readAll();
    EXPECT_GT(expected.size(), 100);
    EXPECT_TRUE(series.readAll() == expected);
    EXPECT_TRUE(again.readAll() == expected);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 3);
}

INSTANTIATE_TEST_SUITE_P(Sizes, JpegSeriesFile,
                         ::testing::Values(FileRow{"Card", 511, 280}, FileRow{"Small", 50, 40},
                                           FileRow{"LargerThanKept", 1600, 1400}),
                         [](const auto &info) { return std::string(info.param.name); });

// Where the pictures of the guard's tests go through: one thread's series of cards that
// change in their last bands, each compared with the file saveJpegFile writes of it.
class GuardedSeries : public ::testing::Test
{
protected:
    void SetUp() override { JpegSeriesTesting::resetGuard(); }
    void TearDown() override
    {
#if KARTELLO_JPEG_SERIES
        JpegSeriesTesting::setBlocksLost(false);
#endif
        JpegSeriesTesting::resetGuard();
    }

    // Writes three cards through the guard; returns how many differ from saveJpegFile's.
    int differingCards()
    {
        PixelBitmap b = picture(511, 280, 32);
        const JpegRows rows{b.pixels.data(), 511 * 4, 511, 280, 4};
        int differing = 0;
        for (int card = 0; card < 3; ++card) {
            scribble(b, 40, 250 + 8 * card, 300, 8, 7u + card);
            saveJpegFileInSeries(rows, 100, dir.filePath("guarded.jpg"));
            saveJpegFile(rows, 100, dir.filePath("plain.jpg"));
            if (bytesOf("guarded.jpg") != bytesOf("plain.jpg"))
                ++differing;
        }
        return differing;
    }

    QByteArray bytesOf(const QString &name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

TEST_F(GuardedSeries, WritesThePlainEncodersBytes)
{
    EXPECT_EQ(differingCards(), 0);
    EXPECT_EQ(jpegSeriesInUse(), bool(KARTELLO_JPEG_SERIES));
}

#if KARTELLO_JPEG_SERIES

// The stand-in for a libjpeg of another layout really spoils the series' pictures.
TEST_F(GuardedSeries, LostBlocksSpoilAnUnguardedSeries)
{
    JpegSeriesTesting::setBlocksLost(true);
    PixelBitmap b = picture(64, 48, 24);
    JpegSeries series;
    series.encode({b.pixels.data(), 64 * 3, 64, 48, 3}, 100);
    scribble(b, 0, 40, 64, 8, 3);
    JpegWriter alone;
    alone.setQuality(100);
    alone.assign(b);
    EXPECT_NE(series.encode({b.pixels.data(), 64 * 3, 64, 48, 3}, 100), alone.encode());
}

TEST_F(GuardedSeries, OtherLayoutFallsBackToThePlainEncoder)
{
    JpegSeriesTesting::setBlocksLost(true);
    EXPECT_EQ(differingCards(), 0);
    EXPECT_FALSE(jpegSeriesInUse());
    JpegSeriesTesting::setBlocksLost(false);
    EXPECT_EQ(differingCards(), 0);
    EXPECT_FALSE(jpegSeriesInUse()) << "switched off for the rest of the process";
}

// A thread whose series passed its comparison does not vouch for another thread's.
TEST_F(GuardedSeries, EachThreadComparesItsFirstCard)
{
    EXPECT_EQ(differingCards(), 0);
    JpegSeriesTesting::setBlocksLost(true);
    int differing = -1;
    std::thread([&] { differing = differingCards(); }).join();
    EXPECT_EQ(differing, 0);
    EXPECT_FALSE(jpegSeriesInUse());
}

#endif // KARTELLO_JPEG_SERIES

} // namespace
