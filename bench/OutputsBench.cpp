// Times the card outputs against the libraries they are measured by:
//  (a) SaveSnapshotJPG's work (BMP round trip, 24-bit read, quality-100 encode, file) against a
//      bare libjpeg quality-100 encode of the same pixels into memory; target: within 2x.
//  (b) the GIF export (cube reduction, LZW, file) against giflib's EGifPutLine writing the
//      same indices with the same palette to a file; target: within 1.5x.
#include "BareLibjpeg.h"
#include "BitmapFile.h"
#include "CardBuilder.h"
#include "CardElements.h"
#include "CardOptions.h"
#include "CardPictureFiles.h"
#include "Fonts.h"
#include "ImageBitmap.h"
#include "GifImage.h"
#include "JpegWriter.h"
#include "CardDocument.h"
#include "CardPictureElement.h"

#include <QFont>
#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <gif_lib.h>
#include <jpeglib.h>
#include <vector>

namespace {

// A photo-like background picture: a gradient sky with scattered specks and a frame.
QImage backgroundPicture()
{
    QImage picture(511, 280, QImage::Format_RGB32);
    QPainter p(&picture);
    QLinearGradient sky(0, 0, 511, 280);
    sky.setColorAt(0, QColor(30, 80, 160));
    sky.setColorAt(0.5, QColor(231, 223, 173));
    sky.setColorAt(1, QColor(20, 120, 40));
    p.fillRect(picture.rect(), sky);
    unsigned state = 1;
    for (int i = 0; i < 4000; ++i) {
        state = state * 1103515245u + 12345u;
        p.setPen(QColor::fromRgb(state >> 8 & 0xFFFFFF));
        p.drawPoint(int(state % 511), int((state >> 12) % 280));
    }
    p.setPen(QPen(Qt::yellow, 3));
    p.drawRoundedRect(5, 5, 500, 269, 12, 12);
    return picture;
}

// A busy card: the real card's elements with the background picture and every line filled,
// painted the way every card picture is painted.
QImage busyCard()
{
    CardDocument form;
    card::CardOptions options;
    options.background = card::kFirstRunBackground;
    options.interfaceChoice = card::kFirstRunInterface;
    card::applyLookToCard(&form, card::applyCardOptions(options, {}));
    if (auto *image = form.findChild<CardPictureElement *>(QStringLiteral("tAlImage1")))
        image->setPicture(Picture::fromImage(backgroundPicture()));
    const QStringList identity[] = {{"K1ABC", "John Operator", "12 Main Street",
                                     "Springfield, MA 01101", "USA", "k1abc@example.org",
                                     "Pse QSL direct or via bureau, Tnx 73s"},
                                    {"DL9XYZ", "2026-12-08", "01:23", "14.074", "FT8", "100 W",
                                     "599"}};
    const QStringList *groups[] = {&card::identityElements(), &card::valueElements()};
    for (int g = 0; g < 2; ++g)
        for (int i = 0; i < groups[g]->size(); ++i)
            if (auto *element = form.findChild<CardElement *>(groups[g]->at(i)))
                element->setCaption(identity[g].value(i % identity[g].size()));
    QImage card(card::kCardWidth, card::kCardHeight, QImage::Format_RGB32);
    QPainter painter(&card);
    form.paint(painter);
    return card;
}

// One run of f, in microseconds; runs of both sides are interleaved by the caller so that
// the machine's load hits both alike.
double micros(const std::function<void()> &f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
        .count();
}

// The best of several runs: the machine's other work only ever adds time, so the fastest
// run is the closest to the code's own cost, on both sides alike.
double best(const std::vector<double> &v)
{
    return *std::min_element(v.begin(), v.end());
}

void bareLibjpeg(const PixelBitmap &rgb)
{
    bareLibjpegEncode(rgb.width, rgb.height,
                      [&](int y) { return &rgb.pixels[size_t(y) * rgb.width * 3]; });
}

void giflibPutLine(const PixelBitmap &indexed, const char *path)
{
    int error = 0;
    GifFileType *gif = EGifOpenFileName(path, false, &error);
    std::vector<GifColorType> colors(256);
    for (int i = 0; i < 256; ++i)
        colors[i] = {indexed.colorTable[i].red, indexed.colorTable[i].green,
                     indexed.colorTable[i].blue};
    ColorMapObject *map = GifMakeMapObject(256, colors.data());
    EGifPutScreenDesc(gif, indexed.width, indexed.height, 8, 0, nullptr);
    EGifPutImageDesc(gif, 0, 0, indexed.width, indexed.height, false, map);
    for (int y = 0; y < indexed.height; ++y)
        EGifPutLine(gif, const_cast<GifPixelType *>(&indexed.pixels[y * indexed.width]),
                    indexed.width);
    EGifCloseFile(gif, &error);
    GifFreeMapObject(map);
}

void report(const char *what, double ours, double reference, double target)
{
    std::printf("%-58s %9.0f us   reference %9.0f us   ratio %.2f (target <= %.1f) %s\n", what,
                ours, reference, ours / reference, target,
                ours / reference <= target ? "ok" : "MISSED");
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerFontSubstitutes();
    QTemporaryDir dir;
    const QImage card = busyCard();
    // BENCH_CARD=<file.png> keeps the card measured, to look at.
    if (!qEnvironmentVariableIsEmpty("BENCH_CARD"))
        card.save(qEnvironmentVariable("BENCH_CARD"));
    const QString bmp = dir.filePath("temp.bmp");
    const PixelBitmap rgb = bitmapFromImage(card);
    const PixelBitmap indexed = reduceToCube(rgb);
    const QByteArray gifRef = dir.filePath("ref.gif").toLocal8Bit();
    const int runs = 41;

    std::vector<double> jpegOurs, jpegRef, gifOurs, gifRefTimes;
    for (int i = 0; i < runs; ++i) {
        // Every run writes new files, as a card for a new call sign does.
        QFile::remove(dir.filePath("card.jpg"));
        QFile::remove(dir.filePath("card.gif"));
        QFile::remove(QString::fromLocal8Bit(gifRef));
        jpegOurs.push_back(micros([&] {
            writeCardJpeg(throughBitmapFile(card, bmp), dir.filePath("card.jpg"));
            QFile::remove(bmp);
        }));
        jpegRef.push_back(micros([&] { bareLibjpeg(rgb); }));
        gifOurs.push_back(micros([&] {
            GifImage gif;
            gif.assign(bitmapFromImage(card));
            gif.saveToFile(dir.filePath("card.gif"));
        }));
        gifRefTimes.push_back(micros([&] { giflibPutLine(indexed, gifRef.constData()); }));
    }
    std::vector<double> bmpSave, bmpLoad, encode, gifReduce, gifReduce32, gifBytes, gifFile,
        copy32;
    const PixelBitmap card32 = bitmapFromImage(card);
    const BgrxRows cardRows{card.constBits(), static_cast<ptrdiff_t>(card.bytesPerLine()),
                            card.width(), card.height()};
    for (int i = 0; i < runs; ++i) {
        PixelBitmap bits;
        QFile::remove(bmp);
        bmpSave.push_back(micros([&] { writeBitmapFile(cardRows, bmp); }));
        bmpLoad.push_back(micros([&] { bits = *readBitmapFile(bmp); }));
        JpegWriter jpeg;
        jpeg.setQuality(100);
        jpeg.assign(bits);
        encode.push_back(micros([&] { jpeg.encode(); }));
        GifImage gif;
        copy32.push_back(micros([&] { bitmapFromImage(card); }));
        gifReduce32.push_back(micros([&] { gif.assign(card32); }));
        gifReduce.push_back(micros([&] { gif.assign(bits); }));
        const QByteArray bytes = gif.saveToBytes();
        gifBytes.push_back(micros([&] { gif.saveToBytes(); }));
        QFile::remove(dir.filePath("part.gif"));
        gifFile.push_back(micros([&] { writeWholeFile(dir.filePath("part.gif"), bytes); }));
    }
    std::printf("511 x 280 busy card, best of %d runs\n", runs);
    std::printf("  parts: BMP write %.0f us, BMP read %.0f us, JPEG encode %.0f us,"
                " GIF reduction %.0f us (from 32 bits %.0f us, after a %.0f us copy), GIF LZW %.0f us, GIF file %.0f us\n",
                best(bmpSave), best(bmpLoad), best(encode),
                best(gifReduce), best(gifReduce32), best(copy32), best(gifBytes), best(gifFile));
    report("SaveSnapshotJPG (BMP round trip, encode, file)", best(jpegOurs), best(jpegRef), 2.0);
    report("GIF export (cube reduction, LZW, file) vs EGifPutLine", best(gifOurs),
           best(gifRefTimes), 1.5);
    return 0;
}
