#include "KartelloError.h"
#include "PdfPage.h"
#include "LetterSheet.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString printToPdf(LetterSheet &report, const QTemporaryDir &dir)
{
    const QString path = dir.filePath("page.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    report.print(printer);
    return path;
}

struct PageRow {
    const char *name;
    std::array<bool, 3> filled;
};

class PrintedPage : public ::testing::TestWithParam<PageRow> {};

// At 96 dots per inch the margin is 48 dots and slots start 0, 283 and 566 dots below it.
TEST_P(PrintedPage, CardsInTheirSlotsAtNaturalSize)
{
    QTemporaryDir dir;
    LetterSheet report;
    for (int slot = 0; slot < 3; ++slot)
        if (GetParam().filled[slot])
            report.setSlotPicture(slot, framedTestCard());
    const auto cards = cardsOnPdfPage(printToPdf(report, dir), dir.path());
    std::vector<int> expectedTops;
    const int tops[] = {48, 48 + 283, 48 + 566};
    for (int slot = 0; slot < 3; ++slot)
        if (GetParam().filled[slot])
            expectedTops.push_back(tops[slot]);
    ASSERT_EQ(cards.size(), expectedTops.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        EXPECT_EQ(cards[i].left(), 48);
        EXPECT_NEAR(cards[i].top(), expectedTops[i], 1);
        EXPECT_NEAR(cards[i].width(), 511, 1);
        EXPECT_NEAR(cards[i].height(), 280, 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Slots, PrintedPage, ::testing::Values(
    PageRow{"empty", {false, false, false}}, PageRow{"first", {true, false, false}},
    PageRow{"second", {false, true, false}}, PageRow{"third", {false, false, true}},
    PageRow{"firstTwo", {true, true, false}}, PageRow{"all", {true, true, true}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LetterSheet, PdfHoldsTheCardPixelsAt96PerInchOnLetterWithTheTitle)
{
    QTemporaryDir dir;
    LetterSheet report;
    report.setReportTitle("K1ABC");
    report.setSlotPicture(1, framedTestCard());
    const QString pdf = printToPdf(report, dir);
    const QStringList images = runTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3) << images.join('\n').toStdString();   // two header lines
    const QStringList fields = images[2].simplified().split(' ');
    EXPECT_EQ(fields[3], "511");
    EXPECT_EQ(fields[4], "280");
    EXPECT_EQ(fields[12], "96");
    EXPECT_EQ(fields[13], "96");
    const QString info = runTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Title: +K1ABC\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792 pts (letter)")) << info.toStdString();
}

// A card a lossy encoder cannot keep: navy text on yellow, a hard-edged pattern and a
// gradient, so that any JPEG step changes thousands of pixels.
QImage detailedTestCard()
{
    QImage card(511, 280, QImage::Format_RGB32);
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x) {
            const bool text = ((x / 3) ^ (y / 2)) % 5 == 0;
            card.setPixel(x, y, text ? qRgb(0, 0, 128) : x < 256 ? qRgb(255, 255, 0)
                                                              : qRgb(x % 256, y % 256, (x * y) % 256));
        }
    return card;
}

struct PixelRow {
    const char *name;
    int slot;
};

class PrintedPixels : public ::testing::TestWithParam<PixelRow> {};

// The picture stored in the PDF is the card itself, every pixel equal.
TEST_P(PrintedPixels, PdfStoresTheCardLosslessly)
{
    QTemporaryDir dir;
    LetterSheet report;
    const QImage card = detailedTestCard();
    report.setSlotPicture(GetParam().slot, card);
    const QString pdf = printToPdf(report, dir);
    const QStringList images = runTool("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3) << images.join('\n').toStdString();
    EXPECT_NE("jpeg", images[2].simplified().split(QLatin1Char(' ')).value(8).toStdString());
    runTool("pdfimages", {"-png", pdf, dir.filePath("card")});
    const QImage stored = QImage(dir.filePath("card-000.png")).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(card.size(), stored.size());
    int differing = 0;
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x)
            differing += card.pixel(x, y) != stored.pixel(x, y);
    EXPECT_EQ(0, differing);
}

INSTANTIATE_TEST_SUITE_P(Slots, PrintedPixels, ::testing::Values(
    PixelRow{"first", 0}, PixelRow{"second", 1}, PixelRow{"third", 2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LetterSheet, UnwritablePdfIsReported)
{
    QTemporaryDir dir;
    LetterSheet report;
    report.setSlotPicture(0, framedTestCard());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = dir.filePath("missing/page.pdf");
    printer.setOutputFileName(path);
    try {
        report.print(printer);
        FAIL() << "no error";
    } catch (const KartelloError &e) {
        EXPECT_EQ(e.text(), "Cannot create file " + path);
    }
}

TEST(LetterSheet, SlotsHoldCopiesAndClear)
{
    LetterSheet report;
    QImage card = framedTestCard();
    report.setSlotPicture(2, card);
    card.fill(Qt::red);
    EXPECT_EQ(report.slotPicture(2).pixelColor(5, 5), QColor(0, 0, 128));
    report.clearSlots();
    EXPECT_TRUE(report.slotPicture(2).isNull());
    EXPECT_EQ(report.objectName(), "QuickRep1");
}

} // namespace
