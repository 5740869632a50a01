// A card of several QSOs of one call sign: the table grows upward from the card's own QSO
// area, every row shows its QSO exactly as a card of that QSO alone shows it, nothing is cut
// off, and a card of one QSO is the card of today, pixel for pixel.
#include "CardDesign.h"
#include "CardDocument.h"
#include "CardElement.h"
#include "CardElements.h"
#include "DesignApplication.h"
#include "QsoFields.h"

#include <QImage>
#include <gtest/gtest.h>

#include <vector>

using namespace card;

namespace {

std::vector<QsoRecord> qsosOfOneCall(int count)
{
    const char *freqs[] = {"1.840", "3.573", "7.074", "14.074", "21.074", "28.074"};
    const char *modes[] = {"FT8", "CW", "SSB", "FT4", "RTTY", "JT65"};
    const char *reports[] = {"-10", "599", "59", "-03", "579", "+02"};
    std::vector<QsoRecord> qsos;
    for (int i = 0; i < count; ++i)
        qsos.push_back({"k1abc", QStringLiteral("3.%1.2026").arg(i + 1),
                        QStringLiteral("1%1:%2").arg(i).arg(10 + 7 * i), freqs[i % 6],
                        modes[i % 6], "100", reports[i % 6], {}});
    return qsos;
}

QImage singleCard(const CardDesign &design, const QsoRecord &qso)
{
    CardDocument document;
    applyDesign(design, document);
    document.setQso(qso);
    return document.paintCard();
}

CardDesign designWithTitles()
{
    CardDesign design;
    design.tableTitles = QStringList{"Confirming QSO with", "UTC Date", "UTC Time", "Freq MHz",
                                     "Mode", "Power", "Signal"};
    design.identity = shippedIdentity();
    return design;
}

// The smallest rectangle holding every pixel of area that differs from its corner pixel (the
// cell's own colour, just inside the frame); null when there is none.
QRect inkIn(const QImage &card, const QRect &area)
{
    const QRgb background = card.pixel(area.topLeft());
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (card.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

} // namespace

TEST(QsoTable, OneQsoIsTheCardOfThatQso)
{
    const CardDesign design = designWithTitles();
    const QsoRecord qso = qsosOfOneCall(1).front();
    CardDocument document;
    applyDesign(design, document);
    EXPECT_EQ(document.paintCard(std::vector<QsoRecord>{qso}), singleCard(design, qso));
    // A table drawn in between leaves the next card of one QSO as it was.
    document.paintCard(qsosOfOneCall(4));
    EXPECT_EQ(document.paintCard(std::vector<QsoRecord>{qso}), singleCard(design, qso));
}

class TableOfRows : public ::testing::TestWithParam<int> {};

TEST_P(TableOfRows, EveryRowShowsItsQsoWholeInsideItsCell)
{
    const int rows = GetParam();
    const CardDesign design = designWithTitles();
    const std::vector<QsoRecord> qsos = qsosOfOneCall(rows);
    CardDocument document;
    applyDesign(design, document);
    const QImage table = document.paintCard(qsos);
    const QRect card(0, 0, kCardWidth, kCardHeight);

    for (const QsoFieldNames &field : qsoFields()) {
        const QString value = QString::fromLatin1(field.valueElement);
        const QString title = QString::fromLatin1(field.titleElement);
        const QRect ownValue = document.element(value)->geometry();
        const QRect ownTitle = document.element(title)->geometry();
        // The titles stand above the first row, as a card of one QSO shows them.
        const QRect titlePlace = document.tablePlace(title, rows);
        ASSERT_TRUE(card.contains(titlePlace)) << title.toStdString();
        EXPECT_EQ(table.copy(titlePlace), singleCard(design, qsos[0]).copy(ownTitle))
            << title.toStdString();
        if (field.field == QsoField::CallSign) {
            // The call sign once, in a cell that spans the rows, centred on it.
            const QRect cell = document.tablePlace(value, rows);
            ASSERT_TRUE(card.contains(cell));
            EXPECT_EQ(cell.height(), ownValue.height() + 16 * (rows - 1));
            const QRect ink = inkIn(table, cell);
            ASSERT_FALSE(ink.isNull());
            EXPECT_NEAR(ink.center().y(), cell.center().y(), 3);
            EXPECT_TRUE(cell.adjusted(1, 1, -1, -1).contains(ink));
            continue;
        }
        for (int row = 0; row < rows; ++row) {
            const QRect cell = document.tablePlace(value, rows).translated(0, 16 * row);
            SCOPED_TRACE(value.toStdString() + " row " + std::to_string(row));
            ASSERT_TRUE(card.contains(cell));
            // The row's text, and nothing but it, exactly as the card of its QSO alone shows
            // it; its ink keeps clear of the cell's edges, so none of it is cut off.
            EXPECT_EQ(table.copy(cell), singleCard(design, qsos[row]).copy(ownValue));
            const QRect ink = inkIn(table, cell);
            ASSERT_FALSE(ink.isNull());
            EXPECT_TRUE(cell.adjusted(1, 0, -1, 0).contains(ink));
            EXPECT_LT(ink.bottom(), cell.bottom());
        }
    }
    // The last row lies where the card of one QSO has its values.
    EXPECT_EQ(document.tablePlace("alMode", rows).translated(0, 16 * (rows - 1)),
              document.element("alMode")->geometry());
}

INSTANTIATE_TEST_SUITE_P(TwoToSix, TableOfRows, ::testing::Range(2, kMaxQsosPerCard + 1));

// More QSOs than a card lists: the card shows the first six.
TEST(QsoTable, ShowsSixRowsAtMost)
{
    CardDocument document;
    applyDesign(designWithTitles(), document);
    std::vector<QsoRecord> seven = qsosOfOneCall(6);
    seven.push_back(seven.front());
    seven.back().mode = "MFSK";
    EXPECT_EQ(document.paintCard(seven), document.paintCard(qsosOfOneCall(6)));
}

// A design changed after a table was drawn is the design the next table shows.
TEST(QsoTable, FollowsTheDesignOfItsDocument)
{
    CardDesign first = designWithTitles();
    CardDesign second = first;
    second.options.background = 9;
    second.options.frameInfo = true;
    second.tableTitles[2] = "Time";
    const std::vector<QsoRecord> qsos = qsosOfOneCall(3);

    CardDocument document;
    applyDesign(first, document);
    const QImage before = document.paintCard(qsos);
    applyDesign(second, document);
    CardDocument fresh;
    applyDesign(second, fresh);
    const QImage after = document.paintCard(qsos);
    EXPECT_NE(after, before);
    EXPECT_EQ(after, fresh.paintCard(qsos));
}
