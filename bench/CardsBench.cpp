// `kartello cards` speed: 1,000 cards of a generated log made by the command's own run (the
// window's card drawn on this thread, JPEG written on the pool), the wall time per card beside
// one bare libjpeg quality-100 encode of the same card measured in the same run.
#include "CardsRun.h"
#include "CardFiles.h"
#include "CardPictureFiles.h"
#include "DataFolder.h"
#include "Fonts.h"
#include "MainWindow.h"
#include "WindowCardPainter.h"

#include <QApplication>
#include <QBuffer>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <jpeglib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int Cards = 1000;

double millis(const std::function<void()> &f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// One encode of the card as libjpeg alone does it: quality 100, RGB rows, into memory.
void bareLibjpeg(const QImage &rgb)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char *out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &out, &size);
    cinfo.image_width = rgb.width();
    cinfo.image_height = rgb.height();
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(cinfo.next_scanline));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::free(out);
}

QByteArray generatedLog(int count)
{
    QByteArray log = "<adif_ver:5>3.1.4 <eoh>\n";
    const auto field = [](const char *name, const QByteArray &value) {
        return QByteArray("<") + name + ':' + QByteArray::number(value.size()) + '>' + value + ' ';
    };
    for (int i = 0; i < count; ++i) {
        const QByteArray call = "K" + QByteArray::number(i % 10) + QByteArray(1, char('A' + i / 10 % 26))
                                + QByteArray(1, char('A' + i / 260 % 26)) + QByteArray::number(i);
        log += field("call", call)
               + field("qso_date", QDate(2026, 1, 1).addDays(i % 300).toString("yyyyMMdd").toLatin1())
               + field("time_on", "1234") + field("freq", "14.074") + field("mode", "FT8")
               + field("tx_pwr", "100") + field("rst_rcvd", "-10") + "<eor>\n";
    }
    return log;
}

void copyDataFolder(const QString &to)
{
    QDir().mkpath(to);
    const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), to + name);
}

// The wall time of one whole run over the log with jobs workers, in milliseconds.
double timedRun(CardPainter &painter, const QString &log, const QString &out, int jobs,
                bool contactInfo)
{
    QDir(out).removeRecursively();
    CardsOptions options;
    options.logs = {log};
    options.outFolder = out;
    options.jobs = jobs;
    options.contactInfo = contactInfo;
    QByteArray said;
    QBuffer sink(&said);
    sink.open(QIODevice::WriteOnly);
    QTextStream err(&sink);
    CardsOutcome outcome;
    const double ms = millis([&] { outcome = CardsRun(options, painter, err, false).run(); });
    if (outcome.written != Cards)
        std::fprintf(stderr, "only %d cards written: %s\n", outcome.written, said.constData());
    return ms;
}

const QString SampleRow = QStringLiteral("K1ABC, 03.15.2026, 1234, 14.074, 100, FT8, -10");

double bestOf(const std::vector<double> &runs)
{
    return *std::min_element(runs.begin(), runs.end());
}

// What one card costs, stage by stage, each the best of 41 runs on this thread.
struct Stages
{
    double bareEncode = 0;   // the reference: libjpeg alone, RGB rows in memory
    double drawing = 0;      // the window's card for a row
    double jpegFile = 0;     // the card's JPEG file, encoded and written
    double infoFile = 0;     // its contact info file
};

Stages measureStages(CardPainter &painter, const QString &home)
{
    QsoRecord filled;
    const QImage card = painter.paintCard(SampleRow, filled);
    const QImage rgb = card.convertToFormat(QImage::Format_RGB888);
    std::vector<double> reference, drawing, writing, info;
    for (int i = 0; i < 41; ++i) {
        reference.push_back(millis([&] { bareLibjpeg(rgb); }));
        drawing.push_back(millis([&] { painter.paintCard(SampleRow, filled); }));
        writing.push_back(millis([&] { writeCardJpeg(card, home + "one.jpg"); }));
        info.push_back(millis([&] { writeBatchContactInfo(home, QString(), filled); }));
    }
    return {bestOf(reference), bestOf(drawing), bestOf(writing), bestOf(info)};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutes();
    QTemporaryDir dir;
    const QString home = dir.path() + "/";
    copyDataFolder(home + "system/");
    setExecutableFolder(home);
    MainWindow window(nullptr, home + "Kartello.ini");
    window.onActivated();
    WindowCardPainter painter(window);
    QFile logFile(home + "bench.adi");
    logFile.open(QIODevice::WriteOnly);
    logFile.write(generatedLog(Cards));
    logFile.close();

    const Stages stages = measureStages(painter, home);
    std::vector<double> runs, oneWorker, noInfo;
    for (int i = 0; i < 3; ++i) {
        runs.push_back(timedRun(painter, logFile.fileName(), home + "out", 0, true) / Cards);
        oneWorker.push_back(timedRun(painter, logFile.fileName(), home + "out", 1, true) / Cards);
        noInfo.push_back(timedRun(painter, logFile.fileName(), home + "out", 0, false) / Cards);
    }
    const double encode = stages.bareEncode;
    std::printf("bare libjpeg q100 encode of one card         %7.3f ms (reference)\n", encode);
    std::printf("  drawing one card on the window thread      %7.3f ms\n", stages.drawing);
    std::printf("  its JPEG file, encoded and written         %7.3f ms\n", stages.jpegFile);
    std::printf("  its contact info file                      %7.3f ms\n", stages.infoFile);
    std::printf("1,000 cards, 1 worker, per card              %7.3f ms   ratio %.2f\n",
                bestOf(oneWorker), bestOf(oneWorker) / encode);
    std::printf("1,000 cards, --no-info, %d workers, per card  %7.3f ms   ratio %.2f\n",
                QThread::idealThreadCount(), bestOf(noInfo), bestOf(noInfo) / encode);
    const double ratio = bestOf(runs) / encode;
    std::printf("1,000 cards, %d workers, per card             %7.3f ms   ratio %.2f (target <= 1.5) %s\n",
                QThread::idealThreadCount(), bestOf(runs), ratio, ratio <= 1.5 ? "ok" : "MISSED");
    return 0;
}
