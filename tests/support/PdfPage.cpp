#include "PdfPage.h"

#include <QColor>
#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

QString runTool(const QString &program, const QStringList &args)
{
    QProcess process;
    process.start(program, args);
    EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<QRect> cardsOnPdfPage(const QString &pdf, const QString &workFolder)
{
    const QString base = QDir(workFolder).filePath("page");
    runTool("pdftoppm", {"-r", "96", "-png", "-singlefile", "-f", "1", pdf, base});
    const QImage page(base + ".png");
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

int pdfPageCount(const QString &pdf)
{
    const QString info = runTool("pdfinfo", {pdf});
    const auto match = QRegularExpression("Pages: +(\\d+)").match(info);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QImage framedTestCard(const QColor &fill)
{
    QImage card(511, 280, QImage::Format_RGB32);
    card.fill(fill);
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
