#include "CardsProgress.h"

#include <QStringList>

double cardsPerSecond(int cards, qint64 elapsedMs)
{
    return elapsedMs > 0 ? cards * 1000.0 / elapsedMs : 0.0;
}

QString progressLine(int done, int total, qint64 elapsedMs)
{
    return QStringLiteral("%1 of %2 cards, %3 cards/s")
        .arg(done)
        .arg(total)
        .arg(cardsPerSecond(done, elapsedMs), 0, 'f', 1);
}

bool progressDue(qint64 lastDrawnMs, qint64 nowMs, int done, int total)
{
    return done == total || nowMs - lastDrawnMs >= 100;
}

QString summaryLine(const CardsOutcome &outcome, const QString &outFolder)
{
    QString line = QStringLiteral("%1 %2 written to %3 in %4 s (%5 cards/s)")
                       .arg(outcome.written)
                       .arg(outcome.written == 1 ? QStringLiteral("card") : QStringLiteral("cards"))
                       .arg(outFolder)
                       .arg(outcome.elapsedMs / 1000.0, 0, 'f', 1)
                       .arg(cardsPerSecond(outcome.written, outcome.elapsedMs), 0, 'f', 1);
    QStringList notes;
    if (outcome.interrupted || outcome.stoppedByFailure)
        notes << QStringLiteral("stopped after %1 of %2").arg(outcome.written).arg(outcome.selected);
    if (outcome.failed > 0)
        notes << QStringLiteral("%1 failed").arg(outcome.failed);
    if (outcome.unreadableLogs > 0)
        notes << QStringLiteral("%1 %2 not read").arg(outcome.unreadableLogs)
                     .arg(outcome.unreadableLogs == 1 ? QStringLiteral("log") : QStringLiteral("logs"));
    if (outcome.skippedRecords > 0)
        notes << QStringLiteral("%1 %2 skipped").arg(outcome.skippedRecords)
                     .arg(outcome.skippedRecords == 1 ? QStringLiteral("record") : QStringLiteral("records"));
    if (outcome.replacedNames > 0)
        notes << QStringLiteral("%1 replaced an earlier card of the same call sign")
                     .arg(outcome.replacedNames);
    if (!notes.isEmpty())
        line += QStringLiteral("; ") + notes.join(QStringLiteral("; "));
    return line;
}

int exitStatus(const CardsOutcome &outcome)
{
    if (outcome.interrupted)
        return 128 + outcome.stopSignal;
    if (outcome.failed > 0 || outcome.unreadableLogs > 0 || outcome.written < outcome.selected)
        return 1;
    return 0;
}
