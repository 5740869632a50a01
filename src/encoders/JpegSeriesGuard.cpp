#include "JpegSeriesGuard.h"

#include "EncoderError.h"
#include "JpegLibrary.h"

#if KARTELLO_JPEG_SERIES
#include "JpegSeries.h"
#endif

#include <QtGlobal>

#include <atomic>

namespace {

std::atomic<bool> g_switchedOff{!KARTELLO_JPEG_SERIES};
// Counts the guard's resets, so that a thread knows whether its comparison still stands.
std::atomic<int> g_generation{0};

#if KARTELLO_JPEG_SERIES

struct ThreadSeries {
    JpegSeries series;
    int comparedInGeneration = -1;
};

QByteArray plainEncoding(const JpegRows &rows, int quality)
{
    JpegBuffer buffer;
    const int code = compressRows(rows, quality, buffer);
    if (code != 0)
        throw EncoderError(QStringLiteral("JPEG error #%1").arg(code));
    return QByteArray(reinterpret_cast<const char *>(buffer.data),
                      static_cast<qsizetype>(buffer.size));
}

// The series' bytes for this thread's first picture, or nothing when the series failed where
// the plain encoder did not.
QByteArray seriesEncoding(JpegSeries &series, const JpegRows &rows, int quality)
{
    try {
        return series.encodeByEveryRoad(rows, quality);
    } catch (const EncoderError &) {
        return QByteArray();
    }
}

void switchOff()
{
    if (!g_switchedOff.exchange(true))
        qWarning("Kartello: this libjpeg is laid out inside unlike the one Kartello was built "
                 "with; cards are encoded whole from now on");
}

#endif

} // namespace

void saveJpegFileInSeries(const JpegRows &rows, int quality, const QString &path)
{
#if KARTELLO_JPEG_SERIES
    // A series holds a copy of its last picture and its blocks: about 7 bytes a pixel.
    constexpr qint64 LargestKeptPicture = 2 * 1024 * 1024; // pixels
    if (!g_switchedOff.load() && qint64(rows.width) * rows.height <= LargestKeptPicture) {
        thread_local ThreadSeries mine;
        const int generation = g_generation.load();
        if (mine.comparedInGeneration == generation) {
            writeWholeFile(path, mine.series.encode(rows, quality));
            return;
        }
        const QByteArray plain = plainEncoding(rows, quality);
        if (seriesEncoding(mine.series, rows, quality) == plain)
            mine.comparedInGeneration = generation;
        else
            switchOff();
        writeWholeFile(path, plain);
        return;
    }
#endif
    saveJpegFile(rows, quality, path);
}

bool jpegSeriesInUse()
{
    return !g_switchedOff.load();
}

void JpegSeriesTesting::resetGuard()
{
    g_switchedOff.store(!KARTELLO_JPEG_SERIES);
    ++g_generation;
}
