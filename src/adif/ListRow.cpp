#include "ListRow.h"

#include <QStringList>

namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool allDigits(QStringView text)
{
    for (QChar c : text) {
        if (!isDigit(c))
            return false;
    }
    return true;
}

// Adds one to the decimal number written in digits (no point), carrying to the left.
QString incrementDigits(QString digits)
{
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return digits;
        }
        digits[i] = QLatin1Char('0');
    }
    return QLatin1Char('1') + digits;
}

// Takes the text before the next "," from rest, and drops it with the "," and the one
// character after it.
QString takeField(QStringView &rest)
{
    const qsizetype comma = rest.indexOf(QLatin1Char(','));
    if (comma < 0) {
        const QString field = rest.toString();
        rest = QStringView();
        return field;
    }
    const QString field = rest.left(comma).toString();
    rest = rest.mid(std::min(comma + 2, rest.size()));
    return field;
}

// MM.DD.YYYY to M.D.YYYY; other texts unchanged.
QString batchDate(const QString &listDate)
{
    const QStringList parts = listDate.split(QLatin1Char('.'));
    if (parts.size() != 3 || parts[0].isEmpty() || parts[1].isEmpty() || !allDigits(parts[0])
        || !allDigits(parts[1]) || parts[0].size() > 2 || parts[1].size() > 2)
        return listDate;
    return QStringLiteral("%1.%2.%3").arg(parts[0].toInt()).arg(parts[1].toInt()).arg(parts[2].left(4));
}

QString batchTime(const QString &listTime)
{
    if (listTime.size() <= 2)
        return listTime;
    return listTime.left(2) + QLatin1Char(':') + listTime.mid(2);
}

} // namespace

std::optional<QString> formatFrequency(const QString &freq)
{
    const QString number = freq.trimmed();
    if (number.isEmpty())
        return freq.isEmpty() ? std::optional<QString>(QString()) : std::nullopt;
    QStringView digits(number);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative || digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QStringView whole = point < 0 ? digits : digits.left(point);
    QStringView fraction = point < 0 ? QStringView() : digits.mid(point + 1);
    if ((whole.isEmpty() && fraction.isEmpty()) || !allDigits(whole) || !allDigits(fraction))
        return std::nullopt;

    // Round half away from zero on the decimal digits: whole + three decimals as one integer.
    QString scaled = (whole.isEmpty() ? QStringLiteral("0") : whole.toString())
                     + fraction.left(3).toString().leftJustified(3, QLatin1Char('0'));
    if (fraction.size() > 3 && fraction[3] >= QLatin1Char('5'))
        scaled = incrementDigits(scaled);
    while (scaled.size() > 4 && scaled.startsWith(QLatin1Char('0')))
        scaled.remove(0, 1);
    const bool zero = scaled.count(QLatin1Char('0')) == scaled.size();
    return QStringLiteral("%1%2.%3")
        .arg(negative && !zero ? QStringLiteral("-") : QString(), scaled.left(scaled.size() - 3),
             scaled.right(3));
}

QString formatListDate(const QString &qsoDate)
{
    if (qsoDate.size() != 8)
        return qsoDate;
    return qsoDate.mid(4, 2) + QLatin1Char('.') + qsoDate.mid(6, 2) + QLatin1Char('.') + qsoDate.left(4);
}

QString formatListCall(const QString &call)
{
    return call.rightJustified(6, QLatin1Char(' '));
}

QString listRow(const AdifRecord &record, const QString &defaultPower)
{
    const QString &freq = record.value(AdifField::Freq);
    QStringList fields{
        formatListCall(record.value(AdifField::Call)),
        formatListDate(record.value(AdifField::QsoDate)),
        record.value(AdifField::TimeOn).left(4),
        formatFrequency(freq).value_or(freq),
        record.has(AdifField::TxPwr) ? record.value(AdifField::TxPwr) : defaultPower,
        record.value(AdifField::Mode),
        record.value(AdifField::RstRcvd),
    };
    if (record.has(AdifField::Email))
        fields << record.value(AdifField::Email);
    return fields.join(QStringLiteral(", "));
}

QsoRow parseListRow(const QString &row)
{
    QStringView rest(row);
    QsoRow qso;
    qso.callSign = takeField(rest).trimmed();
    qso.date = batchDate(takeField(rest));
    qso.time = batchTime(takeField(rest));
    qso.frequency = takeField(rest);
    qso.power = takeField(rest);
    qso.mode = takeField(rest);
    if (!rest.contains(QLatin1Char(','))) {
        qso.report = rest.left(10).toString();
        return qso;
    }
    qso.report = takeField(rest);
    qso.email = rest.toString();
    return qso;
}
