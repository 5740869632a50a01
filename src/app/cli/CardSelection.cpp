#include "CardSelection.h"

#include <optional>

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

const QStringList &CardSelection::optionNames()
{
    static const QStringList names = {QStringLiteral("--rows"), QStringLiteral("--call"),
                                      QStringLiteral("--since")};
    return names;
}

QString CardSelection::addOption(const QString &name, const QString &value)
{
    if (name == QLatin1String("--rows")) {
        const std::optional<RowSelection> parsed = RowSelection::parse(value);
        if (!parsed)
            return QStringLiteral("--rows \"%1\" is not a list of rows such as 1-20,25").arg(value);
        rows.add(*parsed);
    } else if (name == QLatin1String("--call")) {
        const QStringList calls = callSignList(value);
        if (calls.isEmpty())
            return QStringLiteral("--call needs a call sign");
        for (const QString &call : calls)
            if (!callSigns.contains(call))
                callSigns << call;
    } else if (name == QLatin1String("--since")) {
        since = compactDate(value);
        if (!since.isValid())
            return QStringLiteral("--since \"%1\" is not a date YYYYMMDD").arg(value);
    }
    return QString();
}
