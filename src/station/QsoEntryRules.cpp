#include "QsoEntryRules.h"

TimeButton timeButtonKind(const QString &componentName)
{
    if (componentName.contains(QLatin1Char('H')))
        return TimeButton::Hour;
    if (componentName.contains(QLatin1Char('M')))
        return TimeButton::Minute;
    if (componentName.contains(QLatin1String("EncartaButtonC")))
        return TimeButton::Clear;
    return TimeButton::None;
}

QString timeAfterButton(TimeButton kind, const QString &caption, const QString &timeField)
{
    switch (kind) {
    case TimeButton::Hour:
        return caption + QLatin1Char(':');
    case TimeButton::Minute:
        return timeField.left(3) + caption;
    case TimeButton::Clear:
        return QString();
    case TimeButton::None:
        break;
    }
    return timeField;
}

SignalButton signalButtonKind(const QString &componentName)
{
    if (componentName.contains(QLatin1String("Clear")))
        return SignalButton::Clear;
    if (componentName.contains(QLatin1String("RST")))
        return SignalButton::Digit;
    if (componentName.contains(QLatin1String("EBSig")))
        return SignalButton::Caption;
    return SignalButton::None;
}

QString signalAfterButton(SignalButton kind, const QString &caption, const QString &report)
{
    switch (kind) {
    case SignalButton::Clear:
        return QString();
    case SignalButton::Digit:
        return report + caption;
    case SignalButton::Caption:
        return caption;
    case SignalButton::None:
        break;
    }
    return report;
}

QString quickPickDate(const QDate &date)
{
    return QStringLiteral("%1.%2.%3")
        .arg(date.month())
        .arg(date.day())
        .arg(date.year(), 4, 10, QLatin1Char('0'));
}

QDate sameDayOnPage(const QDate &date, int year, int month)
{
    const QDate first(year, month, 1);
    return QDate(year, month, qMin(date.day(), first.daysInMonth()));
}

QString quickPickTime(const QTime &time)
{
    return QStringLiteral("%1:%2")
        .arg(time.hour(), 2, 10, QLatin1Char('0'))
        .arg(time.minute(), 2, 10, QLatin1Char('0'));
}

QString upperCaseAtoZ(const QString &text)
{
    QString result = text;
    for (QChar &c : result)
        if (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
            c = QChar(c.unicode() - 'a' + 'A');
    return result;
}
