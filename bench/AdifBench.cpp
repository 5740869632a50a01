// Times the ADIF batch work against the bare operations it is measured by:
//  (a) reading a generated log of 100,000 records into QSO list rows against a bare scan of
//      the same bytes for the "<eor>" markers (matched without regard to case, as the reader
//      must); target: within 5x.
//  (b) JPG Selected per card (fill the QSO from a row, snapshot, BMP round trip, quality-100
//      JPEG, contact info file) against one bare libjpeg quality-100 encode of the card into
//      memory; target: within 3x.
#include "BareLibjpeg.h"
#include "AdifReader.h"
#include "DataFolder.h"
#include "Fonts.h"
#include "ImageBitmap.h"
#include "MainWindow.h"
#include "features/BatchCard.h"

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <jpeglib.h>
#include <vector>

namespace {

double micros(const std::function<void()> &f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
}

double best(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }

void report(const char *what, double ours, double reference, double target)
{
    std::printf("%-58s %9.0f us   reference %9.0f us   ratio %.2f (target <= %.1f) %s\n", what,
                ours, reference, ours / reference, target, ours / reference <= target ? "ok" : "MISSED");
}

QByteArray field(const char *name, const QByteArray &value)
{
    return "<" + QByteArray(name) + ":" + QByteArray::number(value.size()) + ">" + value + " ";
}

// A log as a common logger writes it: lower-case tags, a header, one record per line with
// the fields Kartello reads and as many it passes over.
QByteArray generatedLog(int records)
{
    QByteArray log = "Generated log\n<adif_ver:5>3.1.4 <programid:7>Logbook <eoh>\n";
    for (int i = 0; i < records; ++i) {
        const QByteArray call = "K" + QByteArray::number(i % 10) + "A" + QByteArray::number(i);
        log += field("call", call) + field("qso_date", "20240405") + field("time_on", "093015")
               + field("time_off", "093115") + field("band", "20m") + field("freq", "14.074")
               + field("freq_rx", "14.0745") + field("mode", "FT8") + field("submode", "FT4")
               + field("rst_sent", "-12") + field("rst_rcvd", "-08") + field("tx_pwr", "50")
               + field("gridsquare", "FN42") + field("station_callsign", "DL1ABC")
               + field("name", "Operator " + QByteArray::number(i))
               + (i % 4 == 0 ? field("email", call.toLower() + "@example.org") : QByteArray())
               + "<eor>\n";
    }
    return log;
}

// The reference: every "<eor>" found, whatever its case, and nothing else done.
int bareEorScan(const QByteArray &log)
{
    const char *p = log.constData();
    const char *end = p + log.size();
    int markers = 0;
    while ((p = static_cast<const char *>(std::memchr(p, '<', size_t(end - p)))) && end - p >= 5) {
        if ((p[1] | 0x20) == 'e' && (p[2] | 0x20) == 'o' && (p[3] | 0x20) == 'r' && p[4] == '>')
            ++markers;
        ++p;
    }
    return markers;
}

void bareLibjpeg(const PixelBitmap &rgb)
{
    bareLibjpegEncode(rgb.width, rgb.height,
                      [&](int y) { return &rgb.pixels[size_t(y) * rgb.width * 3]; });
}

void benchRead()
{
    const QByteArray log = generatedLog(100000);
    std::vector<double> records, rows, reference;
    int recordCount = 0, rowCount = 0, markers = 0;
    for (int i = 0; i < 15; ++i) {
        records.push_back(micros([&] {
            AdifReader reader(log);
            AdifRecord record;
            recordCount = 0;
            while (reader.readNext(record))
                ++recordCount;
        }));
        rows.push_back(micros([&] {
            AdifReader reader(log);
            rowCount = int(readListRows(reader, QStringLiteral("5"), 1 << 30).size());
        }));
        reference.push_back(micros([&] { markers = bareEorScan(log); }));
    }
    std::printf("100,000-record log, %.1f MB, %d records, %d rows, %d markers, best of 15 runs\n",
                log.size() / 1e6, recordCount, rowCount, markers);
    report("ADIF log read (records) vs bare \"<eor>\" scan", best(records), best(reference), 5.0);
    std::printf("  and on to the QSO list rows, as a load does: %.0f us (%.2f x the scan)\n",
                best(rows), best(rows) / best(reference));
}

void benchJpgSelected(const QString &sourceData)
{
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("system"));
    for (const QString &name : QDir(sourceData).entryList(QDir::Files))
        QFile::copy(sourceData + "/" + name, dir.filePath("system/" + name));
    setExecutableFolder(dir.path() + "/");
    {
        MainWindow window(nullptr, dir.filePath("Kartello.ini"));
        window.onActivated();
        const QString folder = batchFolder();
        const QsoRecord row = parseListRow(
            QStringLiteral("DL1ABC, 04.05.2024, 0930, 14.074, 50W, FT8, -08, dl1abc@example.org"));
        std::vector<double> ours, reference, fill, files, empty;
        for (int i = 0; i < 21; ++i) {
            QImage card;
            ours.push_back(micros([&] {
                card = batchCard(window.batchCardParts(), row);
                BatchCardNames names; // a run of its own: the same file written again
                writeBatchFiles(window.batchCardParts(), row.email, folder, QDate::currentDate(),
                                names);
                emptyQsoAfterBatchCard(window.batchCardParts());
            }));
            const PixelBitmap rgb = bitmapFromImage(card);
            reference.push_back(micros([&] { bareLibjpeg(rgb); }));
            fill.push_back(micros([&] { batchCard(window.batchCardParts(), row); }));
            files.push_back(micros([&] {
                BatchCardNames names;
                writeBatchFiles(window.batchCardParts(), row.email, folder, QDate::currentDate(),
                                names);
            }));
            empty.push_back(micros([&] { emptyQsoAfterBatchCard(window.batchCardParts()); }));
        }
        std::printf("511 x 280 card, best of 21 runs\n");
        std::printf("  parts: fill and snapshot %.0f us, files %.0f us, emptying %.0f us\n",
                    best(fill), best(files), best(empty));
        report("JPG Selected per card vs bare libjpeg q100 encode", best(ours), best(reference), 3.0);
    }
    setExecutableFolder(QString());
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutes();
    benchRead();
    benchJpgSelected(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
    return 0;
}
