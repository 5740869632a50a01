#include "CardSelection.h"

bool CardSelection::takes(int row, const QString &callSign, const QDate &qsoDate) const
{
    if (!rows.contains(row))
        return false;
    if (!callSigns.isEmpty() && !callSigns.contains(callSign.trimmed().toUpper()))
        return false;
    if (since.isValid() && (!qsoDate.isValid() || qsoDate < since))
        return false;
    return true;
}

QStringList callSignList(const QString &text)
{
    QStringList calls;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString call = part.trimmed().toUpper();
        if (!call.isEmpty())
            calls << call;
    }
    return calls;
}

QDate compactDate(const QString &text)
{
    if (text.size() != 8)
        return QDate();
    for (const QChar c : text)
        if (!c.isDigit())
            return QDate();
    return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}
