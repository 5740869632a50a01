// `kartello cards --format pdf`: three cards a Letter page, the cards' exact pixels.
#include "CardsRunner.h"
#include "PdfPage.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Pixels of card that differ noticeably from the page at the place topLeft.
int differingPixels(const QImage &page, const QImage &card, QPoint topLeft)
{
    int differing = 0;
    for (int y = 0; y < card.height(); ++y)
        for (int x = 0; x < card.width(); ++x) {
            const QRgb a = page.pixel(topLeft.x() + x, topLeft.y() + y);
            const QRgb b = card.pixel(x, y);
            differing += std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                                   std::abs(qBlue(a) - qBlue(b))}) > 8;
        }
    return differing;
}

// Where near expected (within two pixels) the card matches the page best.
QPoint bestPlacement(const QImage &page, const QImage &card, QPoint expected)
{
    QPoint best = expected;
    int fewest = card.width() * card.height() + 1;
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx) {
            const int differing = differingPixels(page, card, expected + QPoint(dx, dy));
            if (differing < fewest) {
                fewest = differing;
                best = expected + QPoint(dx, dy);
            }
        }
    return best;
}

// The page of every picture in the PDF, in the file's order (poppler's pdfimages -list).
std::vector<int> picturePages(const QString &pdf)
{
    std::vector<int> pages;
    const QStringList lines = runTool("pdfimages", {"-list", pdf}).split('\n');
    for (const QString &line : lines) {
        const QStringList cols = line.simplified().split(' ');
        if (cols.size() > 5 && cols[2] == "image") {
            pages.push_back(cols[0].toInt());
            EXPECT_EQ(cols[3] + "x" + cols[4], "511x280") << line.toStdString();
            EXPECT_EQ(cols[12], "96") << "printed at its natural size: " << line.toStdString();
        }
    }
    return pages;
}

struct PdfCase {
    const char *name;
    int records;
    std::vector<int> pages;   // page of each card
};

class CardsPdf : public ::testing::TestWithParam<PdfCase> {};

TEST_P(CardsPdf, ThreeCardsAPageAndTheRestOnTheLast)
{
    const PdfCase &c = GetParam();
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const QString log = runner.writeFile("night.adi", generatedLog(c.records));
    const QString out = runner.folder() + "pdf/";
    const CardsRunner::Result result =
        runner.run({"cards", log, "--format", "pdf", "--out", out, "--no-info"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList{"night.pdf"});
    EXPECT_EQ(pdfPageCount(out + "night.pdf"), c.pages.back());
    EXPECT_EQ(picturePages(out + "night.pdf"), c.pages);
}

INSTANTIATE_TEST_SUITE_P(
    Logs, CardsPdf,
    ::testing::Values(PdfCase{"OneCard", 1, {1}}, PdfCase{"ThreeCards", 3, {1, 1, 1}},
                      PdfCase{"FourCards", 4, {1, 1, 1, 2}},
                      PdfCase{"EightCards", 8, {1, 1, 1, 2, 2, 2, 3, 3}}),
    [](const ::testing::TestParamInfo<PdfCase> &info) { return std::string(info.param.name); });

// One PDF per log, named after it; a second log of the same name does not replace the first.
TEST(CardsPdfFiles, OneFilePerLogNamedAfterIt)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    QDir().mkpath(runner.folder() + "second");
    const QString first = runner.writeFile("night.adi", generatedLog(2));
    const QString second = runner.writeFile("second/night.adi", generatedLog(4));
    const QString other = runner.writeFile("day.adi", generatedLog(5));
    const QString out = runner.folder() + "pdf/";
    const CardsRunner::Result result =
        runner.run({"cards", first, other, second, "--format", "pdf", "--out", out, "--no-info"});
    ASSERT_EQ(result.exitCode, 0) << result.err.toStdString();
    EXPECT_TRUE(result.err.contains("11 cards written")) << result.err.toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
              (QStringList{"day.pdf", "night.pdf", "night_2.pdf"}));
    EXPECT_EQ(picturePages(out + "night.pdf"), (std::vector<int>{1, 1}));
    EXPECT_EQ(picturePages(out + "day.pdf"), (std::vector<int>{1, 1, 1, 2, 2}));
    EXPECT_EQ(picturePages(out + "night_2.pdf"), (std::vector<int>{1, 1, 1, 2}));
}

// The pictures in the PDF are the very pixels of the cards (compared with the lossless PNGs
// of the same run), and each page puts them where the print page's slots are.
TEST(CardsPdfPixels, PagesHoldTheExactCardsInTheSlots)
{
    CardsRunner runner;
    ASSERT_TRUE(runner.isValid());
    const QString log = runner.writeFile("four.adi", generatedLog(4));
    const QString out = runner.folder() + "out/";
    ASSERT_EQ(runner.run({"cards", log, "--format", "pdf", "--out", out, "--no-info"}).exitCode, 0);
    ASSERT_EQ(runner.run({"cards", log, "--format", "png", "--out", out, "--no-info"}).exitCode, 0);
    runTool("pdfimages", {"-png", out + "four.pdf", out + "extracted"});
    const QStringList extracted = QDir(out).entryList({"extracted-*.png"}, QDir::Files, QDir::Name);
    const QStringList pngs = {"K1AA.png", "K1AB.png", "K1AC.png", "K1AD.png"};
    ASSERT_EQ(extracted.size(), pngs.size());
    for (int i = 0; i < pngs.size(); ++i) {
        const QImage fromPdf = QImage(out + extracted[i]).convertToFormat(QImage::Format_RGB32);
        const QImage card = QImage(out + pngs[i]).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(card.isNull());
        EXPECT_TRUE(fromPdf == card) << pngs[i].toStdString();
    }
    // Rendered at 96 dots per inch, page 1 shows the three cards below each other at the band's
    // left edge half an inch in, and page 2 one card in the top slot and white below it. The
    // renderer smooths the edges of text, so the place is where the card matches best.
    runTool("pdftoppm", {"-r", "96", "-png", "-f", "1", "-l", "2", out + "four.pdf", out + "page"});
    const QImage first = QImage(out + "page-1.png").convertToFormat(QImage::Format_RGB32);
    const QImage second = QImage(out + "page-2.png").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(first.size(), QSize(816, 1056));
    const int slotTops[] = {48, 48 + 283, 48 + 566};
    for (int slot = 0; slot < 3; ++slot) {
        const QImage card = QImage(out + pngs[slot]).convertToFormat(QImage::Format_RGB32);
        const QPoint at = bestPlacement(first, card, QPoint(48, slotTops[slot]));
        EXPECT_LE((at - QPoint(48, slotTops[slot])).manhattanLength(), 1) << "slot " << slot + 1;
        EXPECT_LT(differingPixels(first, card, at), card.width() * card.height() / 10);
    }
    const QImage last = QImage(out + pngs[3]).convertToFormat(QImage::Format_RGB32);
    EXPECT_LE((bestPlacement(second, last, QPoint(48, 48)) - QPoint(48, 48)).manhattanLength(), 1);
    QImage whiteCard(511, 560, QImage::Format_RGB32);
    whiteCard.fill(Qt::white);
    EXPECT_EQ(differingPixels(second, whiteCard, QPoint(48, 48 + 283)), 0);
}

} // namespace
