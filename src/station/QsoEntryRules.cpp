#include "QsoEntryRules.h"

#include <QStringList>

namespace {

constexpr int firstAdifYear = 1930;

bool isDigits(QStringView text, qsizetype minSize, qsizetype maxSize)
{
    if (text.size() < minSize || text.size() > maxSize)
        return false;
    for (QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return true;
}

QString unreadable(const QString &typed, const QString &why)
{
    return QStringLiteral("Cannot read the UTC date \"%1\"%2. %3")
        .arg(typed.trimmed(), why.isEmpty() ? QString() : QStringLiteral(": ") + why, qsoDateHint());
}

QsoDateReading dateOf(const QString &typed, int year, int month, int day)
{
    const QDate date(year, month, day);
    if (!date.isValid())
        return {QDate(), unreadable(typed, QStringLiteral("there is no such day"))};
    if (year < firstAdifYear)
        return {QDate(), unreadable(typed, QStringLiteral("a year before %1").arg(firstAdifYear))};
    return {date, QString()};
}

// month.day.year, each of month and day one or two digits without a leading zero.
QsoDateReading readDottedDate(const QString &typed, const QStringList &parts)
{
    const QString &month = parts[0];
    const QString &day = parts[1];
    if (!isDigits(month, 1, 2) || !isDigits(day, 1, 2) || !isDigits(parts[2], 4, 4))
        return {QDate(), unreadable(typed, QString())};
    if (month.startsWith(QLatin1Char('0')) || day.startsWith(QLatin1Char('0')))
        return {QDate(), unreadable(typed, QStringLiteral("with a leading zero it may be day.month.year"))};
    if (month.toInt() > 12)
        return {QDate(), unreadable(typed, QStringLiteral("%1 is no month; dotted dates are month.day.year").arg(month))};
    return dateOf(typed, parts[2].toInt(), month.toInt(), day.toInt());
}

} // namespace

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

QString qsoDateHint()
{
    return QStringLiteral("Type the UTC date as month.day.year (12.6.2026 is 6 December 2026), "
                          "as year-month-day (2026-12-06) or as 20261206.");
}

QsoDateReading readQsoDate(const QString &typed)
{
    const QString text = typed.trimmed();
    if (isDigits(text, 8, 8))
        return dateOf(typed, text.left(4).toInt(), text.mid(4, 2).toInt(), text.right(2).toInt());
    const QStringList iso = text.split(QLatin1Char('-'));
    if (iso.size() == 3) {
        if (!isDigits(iso[0], 4, 4) || !isDigits(iso[1], 1, 2) || !isDigits(iso[2], 1, 2))
            return {QDate(), unreadable(typed, QString())};
        return dateOf(typed, iso[0].toInt(), iso[1].toInt(), iso[2].toInt());
    }
    const QStringList dotted = text.split(QLatin1Char('.'));
    if (dotted.size() == 3)
        return readDottedDate(typed, dotted);
    return {QDate(), unreadable(typed, QString())};
}

QString adifQsoDate(const QString &typed)
{
    const QsoDateReading reading = readQsoDate(typed);
    return reading.problem.isEmpty() ? reading.date.toString(QStringLiteral("yyyyMMdd")) : QString();
}

QString cardDateText(const QString &typed, CardDateStyle style)
{
    if (style == CardDateStyle::AsTyped)
        return typed;
    const QsoDateReading reading = readQsoDate(typed);
    return reading.problem.isEmpty() ? reading.date.toString(QStringLiteral("yyyy-MM-dd")) : typed;
}
