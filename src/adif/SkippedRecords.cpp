#include "SkippedRecords.h"

#include <QStringList>

void SkippedRecords::count(SkipReason reason)
{
    switch (reason) {
    case SkipReason::NoCall: ++noCall; break;
    case SkipReason::FrequencyNotNumber: ++frequencyNotNumber; break;
    case SkipReason::LengthWithoutDigits: ++lengthWithoutDigits; break;
    case SkipReason::Unfinished: ++unfinished; break;
    }
}

SkippedRecords &SkippedRecords::operator+=(const SkippedRecords &other)
{
    noCall += other.noCall;
    frequencyNotNumber += other.frequencyNotNumber;
    lengthWithoutDigits += other.lengthWithoutDigits;
    unfinished += other.unfinished;
    lengthIntoNextField += other.lengthIntoNextField;
    return *this;
}

namespace {

QString recordsSkipped(const SkippedRecords &skipped)
{
    if (skipped.total() == 0)
        return QStringLiteral("no records skipped");
    QStringList reasons;
    const auto add = [&reasons](int number, const char *why) {
        if (number > 0)
            reasons << QStringLiteral("%1 %2").arg(number).arg(QLatin1String(why));
    };
    add(skipped.noCall, "without CALL");
    add(skipped.frequencyNotNumber, "with a FREQ that is not a number");
    add(skipped.lengthWithoutDigits, "with a field length without digits");
    add(skipped.unfinished, "without <EOR> at the end of the file");
    const QString records = skipped.total() == 1 ? QStringLiteral("record") : QStringLiteral("records");
    return QStringLiteral("%1 %2 skipped: %3").arg(skipped.total()).arg(records, reasons.join(QStringLiteral(", ")));
}

} // namespace

QString skippedSummary(const SkippedRecords &skipped)
{
    const QString summary = recordsSkipped(skipped);
    const int ranInto = skipped.lengthIntoNextField;
    if (ranInto == 0)
        return summary;
    return QStringLiteral("%1, %2 %3 read with a length that ran into the next field")
        .arg(summary)
        .arg(ranInto)
        .arg(ranInto == 1 ? QStringLiteral("record") : QStringLiteral("records"));
}

QString loadSummary(int rowsAdded, const SkippedRecords &skipped)
{
    const QString rows = rowsAdded == 1 ? QStringLiteral("row") : QStringLiteral("rows");
    return QStringLiteral("%1 %2 added, %3").arg(rowsAdded).arg(rows, skippedSummary(skipped));
}
