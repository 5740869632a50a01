// `kartello cards` speed: 1,000 cards of a generated log made by the command's own run (the
// card drawn on this thread from the stored design, JPEG written on the pool), the wall time per card beside
// one bare libjpeg quality-100 encode of the same card measured in the same run.
#include "BareLibjpeg.h"
#include "CardsRun.h"
#include "CardFiles.h"
#include "CardPictureFiles.h"
#include "DataFolder.h"
#include "Fonts.h"
#include "CardDesignLoader.h"
#include "CardDocument.h"
#include "DocumentCardPainter.h"
#include "ListRow.h"

#include <QGuiApplication>
#include <QPainter>
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

#include <sys/resource.h>

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
    bareLibjpegEncode(rgb.width(), rgb.height(), [&](int y) { return rgb.constScanLine(y); });
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

double cpuMillis(int who)
{
    rusage usage {};
    getrusage(who, &usage);
    const auto ms = [](const timeval &t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// One whole run over the log, per card: the wall time, the processor time of the whole
// program and of the drawing thread alone.
struct RunFigures
{
    double wall = 0;
    double processor = 0;
    double drawingThread = 0;
};

RunFigures timedRun(CardPainter &painter, const QString &log, const QString &out, int jobs,
                    bool contactInfo)
{
    // A fresh folder for every run: removing a thousand files first would leave the file
    // system to reuse their deleted entries, which costs more than writing the cards.
    static int runs = 0;
    CardsOptions options;
    options.logs = {log};
    options.outFolder = out + QString::number(++runs);
    options.jobs = jobs;
    options.contactInfo = contactInfo;
    QByteArray said;
    QBuffer sink(&said);
    sink.open(QIODevice::WriteOnly);
    QTextStream err(&sink);
    CardsOutcome outcome;
    const double processor = cpuMillis(RUSAGE_SELF);
    const double drawingThread = cpuMillis(RUSAGE_THREAD);
    const double wall = millis([&] { outcome = CardsRun(options, painter, err, false).run(); });
    if (outcome.written != Cards)
        std::fprintf(stderr, "only %d cards written: %s\n", outcome.written, said.constData());
    return {wall / Cards, (cpuMillis(RUSAGE_SELF) - processor) / Cards,
            (cpuMillis(RUSAGE_THREAD) - drawingThread) / Cards};
}

// The run of the fewest wall time among three.
RunFigures bestRun(CardPainter &painter, const QString &log, const QString &out, int jobs,
                   bool contactInfo)
{
    RunFigures best;
    for (int i = 0; i < 3; ++i) {
        const RunFigures run = timedRun(painter, log, out, jobs, contactInfo);
        if (i == 0 || run.wall < best.wall)
            best = run;
    }
    return best;
}

const QString SampleRow = QStringLiteral("K1ABC, 03.15.2026, 1234, 14.074, 100, FT8, -10");

const QString OtherRow = QStringLiteral("DL1XYZ, 12.31.2025, 2359, 7.100, 5, CW, 599");

double bestOf(const std::vector<double> &runs)
{
    return *std::min_element(runs.begin(), runs.end());
}

// What one card costs, stage by stage, each the best of 41 runs on this thread.
struct Stages
{
    double bareEncode = 0;   // the reference: libjpeg alone, RGB rows in memory
    double drawing = 0;      // the card for a row, from the design's kept picture
    double wholeDrawing = 0; // the same card with every element drawn again
    double jpegFile = 0;     // the card's JPEG file, encoded and written
    double infoFile = 0;     // its contact info file
};

Stages measureStages(CardPainter &painter, CardDocument &document, const QString &home)
{
    QsoRecord filled;
    const QImage card = painter.paintCard(SampleRow, filled);
    const QImage rgb = card.convertToFormat(QImage::Format_RGB888);
    std::vector<double> reference, drawing, whole, writing, info;
    for (int i = 0; i < 41; ++i) {
        reference.push_back(millis([&] { bareLibjpeg(rgb); }));
        drawing.push_back(millis([&] { painter.paintCard(i % 2 ? SampleRow : OtherRow, filled); }));
        whole.push_back(millis([&] {
            QImage image(card.size(), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            document.paint(p);
        }));
        writing.push_back(millis([&] { writeCardJpeg(card, home + QStringLiteral("one%1.jpg").arg(i)); }));
        info.push_back(millis([&] { writeBatchContactInfo(home, QString(), filled); }));
    }
    return {bestOf(reference), bestOf(drawing), bestOf(whole), bestOf(writing), bestOf(info)};
}

// One line of figures; target marks the run the performance target is about.
void printRun(double encode, const char *what, const RunFigures &run, bool target)
{
    // With the machine to itself the run needs at least the drawing thread's time and the
    // whole program's time shared out over the cores.
    const double idle = std::max(run.drawingThread, run.processor / QThread::idealThreadCount());
    std::printf("%-44s %7.3f ms   ratio %.2f   (processor %.3f ms, drawing thread %.3f ms:"
                " on an idle machine >= %.3f ms, ratio %.2f)%s\n",
                what, run.wall, run.wall / encode, run.processor, run.drawingThread, idle,
                idle / encode,
                target ? (run.wall / encode <= 1.0 ? "  target <= 1.0 ok" : "  target <= 1.0 MISSED")
                       : "");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    registerFontSubstitutes();
    QTemporaryDir dir;
    const QString home = dir.path() + "/";
    copyDataFolder(home + "system/");
    setExecutableFolder(home);
    CardDocument document;
    const LoadedDesign design = loadCardDesign(document, home + "Kartello.ini");
    DocumentCardPainter painter(document, design.defaultPower);
    QFile logFile(home + "bench.adi");
    logFile.open(QIODevice::WriteOnly);
    logFile.write(generatedLog(Cards));
    logFile.close();

    const Stages stages = measureStages(painter, document, home);
    const double encode = stages.bareEncode;
    std::printf("bare libjpeg q100 encode of one card          %7.3f ms (reference)\n", encode);
    std::printf("  drawing one card, design drawn once         %7.3f ms\n", stages.drawing);
    std::printf("  drawing one card, every element each time   %7.3f ms\n", stages.wholeDrawing);
    std::printf("  its JPEG file, encoded and written          %7.3f ms\n", stages.jpegFile);
    std::printf("  its contact info file                       %7.3f ms\n", stages.infoFile);
    // Out folders on the disk beside the log and, for comparison, in memory (/dev/shm).
    const QString log = logFile.fileName();
    printRun(encode, "1,000 cards, 1 worker, per card", bestRun(painter, log, home + "out", 1, true), false);
    printRun(encode, "1,000 cards, --no-info, per card", bestRun(painter, log, home + "out", 0, false), false);
    if (QDir("/dev/shm").exists()) {
        QTemporaryDir memory("/dev/shm/kartello-bench-XXXXXX");
        printRun(encode, "1,000 cards, out folder in memory, per card",
               bestRun(painter, log, memory.path() + "/out", 0, true), false);
    }
    printRun(encode, "1,000 cards, per card", bestRun(painter, log, home + "out", 0, true), true);
    return 0;
}
