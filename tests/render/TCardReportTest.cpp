#include "TCardReport.h"

#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A card that is easy to find on the page: navy with a one-pixel yellow frame.
QImage testCard()
{
    QImage card(511, 280, QImage::Format_RGB32);
    card.fill(QColor(0, 0, 128));
    for (int x = 0; x < card.width(); ++x) {
        card.setPixelColor(x, 0, Qt::yellow);
        card.setPixelColor(x, card.height() - 1, Qt::yellow);
    }
    for (int y = 0; y < card.height(); ++y) {
        card.setPixelColor(0, y, Qt::yellow);
        card.setPixelColor(card.width() - 1, y, Qt::yellow);
    }
    return card;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString printToPdf(TCardReport &report, const QTemporaryDir &dir)
{
    const QString path = dir.filePath("page.pdf");
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    report.print(printer);
    return path;
}

// The cards found on the page rendered at 96 dots per inch, top to bottom, as pixel rects.
std::vector<QRect> cardsOnPage(const QString &pdf, const QTemporaryDir &dir)
{
    run("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, dir.filePath("page")});
    const QImage page(dir.filePath("page.png"));
    EXPECT_EQ(page.size(), QSize(816, 1056));
    std::vector<QRect> cards;
    QRect current;
    for (int y = 0; y < page.height(); ++y) {
        QRect row;
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (c.red() < 200 || c.blue() < 200)
                row |= QRect(x, y, 1, 1);
        }
        if (!row.isNull()) {
            current |= row;
        } else if (!current.isNull()) {
            cards.push_back(current);
            current = QRect();
        }
    }
    if (!current.isNull())
        cards.push_back(current);
    return cards;
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
    TCardReport report;
    for (int slot = 0; slot < 3; ++slot)
        if (GetParam().filled[slot])
            report.setSlotPicture(slot, testCard());
    const auto cards = cardsOnPage(printToPdf(report, dir), dir);
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

TEST(TCardReport, PdfHoldsTheCardPixelsAt96PerInchOnLetterWithTheTitle)
{
    QTemporaryDir dir;
    TCardReport report;
    report.setReportTitle("K1ABC");
    report.setSlotPicture(1, testCard());
    const QString pdf = printToPdf(report, dir);
    const QStringList images = run("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(images.size(), 3) << images.join('\n').toStdString();   // two header lines
    const QStringList fields = images[2].simplified().split(' ');
    EXPECT_EQ(fields[3], "511");
    EXPECT_EQ(fields[4], "280");
    EXPECT_EQ(fields[12], "96");
    EXPECT_EQ(fields[13], "96");
    const QString info = run("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Title: +K1ABC\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains("612 x 792 pts (letter)")) << info.toStdString();
}

TEST(TCardReport, SlotsHoldCopiesAndClear)
{
    TCardReport report;
    QImage card = testCard();
    report.setSlotPicture(2, card);
    card.fill(Qt::red);
    EXPECT_EQ(report.slotPicture(2).pixelColor(5, 5), QColor(0, 0, 128));
    report.clearSlots();
    EXPECT_TRUE(report.slotPicture(2).isNull());
    EXPECT_EQ(report.objectName(), "QuickRep1");
}

} // namespace
