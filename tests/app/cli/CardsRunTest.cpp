// CardsRun with a painter of its own: what the run does when a card cannot be drawn.
#include "CardsRun.h"
#include "CardsRunner.h"
#include "KartelloError.h"
#include "ListRow.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Plain one-colour cards; the call signs in `failing` cannot be drawn.
class PlainPainter : public CardPainter
{
public:
    QStringList failing;
    QString defaultPower() const override { return QStringLiteral("5W"); }
    QImage paintCard(const QString &row, QsoRecord &filled) override
    {
        const QsoRow qso = parseListRow(row);
        if (failing.contains(qso.callSign))
            throw KartelloError(QStringLiteral("List index out of bounds (3)"));
        filled = {qso.callSign.toUpper(), qso.date, qso.time, qso.frequency, qso.mode, qso.power,
                  qso.report};
        QImage card(511, 280, QImage::Format_RGB32);
        card.fill(QColor(20, 40, 60));
        return card;
    }
};

TEST(CardsRun, CardThatCannotBeDrawnIsReportedAndTheRunGoesOn)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log.adi");
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(generatedLog(3));
    file.close();
    CardsOptions options;
    options.logs = {log};
    options.outFolder = dir.filePath("out");
    PlainPainter painter;
    painter.failing = {"K1AB"};
    QByteArray said;
    QBuffer sink(&said);
    sink.open(QIODevice::WriteOnly);
    QTextStream err(&sink);
    const CardsOutcome outcome = CardsRun(options, painter, err, false).run();
    EXPECT_EQ(outcome.selected, 3);
    EXPECT_EQ(outcome.written, 2);
    EXPECT_EQ(outcome.failed, 1);
    EXPECT_EQ(exitStatus(outcome), 1);
    EXPECT_TRUE(QString::fromUtf8(said).contains(
        "kartello cards: row 2 of " + log + ": List index out of bounds (3)"))
        << said.toStdString();
    EXPECT_EQ(QDir(dir.filePath("out")).entryList({"*.jpg"}, QDir::Files, QDir::Name),
              (QStringList{"K1AA.jpg", "K1AC.jpg"}));
}

} // namespace
