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

// The common FREQ, digits with at most three decimals and nothing to trim, round or drop
// ("14.074", "7.1", "1296"), padded to three decimals; nullopt for every other number.
std::optional<QString> plainFrequency(const QString &freq)
{
    const qsizetype point = freq.indexOf(QLatin1Char('.'));
    const qsizetype whole = point < 0 ? freq.size() : point;
    const qsizetype decimals = point < 0 ? 0 : freq.size() - point - 1;
    if (whole == 0 || decimals > 3 || !isDigit(freq[0]) || !isDigit(freq[freq.size() - 1])
        || (freq[0] == QLatin1Char('0') && whole > 1))
        return std::nullopt;
    QString shown;
    shown.reserve(whole + 4);
    shown += freq;
    if (point < 0)
        shown += QLatin1Char('.');
    for (qsizetype i = decimals; i < 3; ++i)
        shown += QLatin1Char('0');
    return shown;
}

// The first of the fields that the record has with a value other than blanks; an empty
// RST_SENT or SUBMODE, as some loggers write them, stands for no value.
const QString &firstGiven(const AdifRecord &record, AdifField preferred, AdifField fallback)
{
    const QString &value = record.value(preferred);
    return value.trimmed().isEmpty() ? record.value(fallback) : value;
}

} // namespace

bool isDecimalNumber(QStringView freq)
{
    if (freq.isEmpty())
        return true;
    QStringView digits = freq.trimmed();
    if (digits.startsWith(QLatin1Char('-')) || digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    bool point = false;
    bool digit = false;
    for (QChar c : digits) {
        if (isDigit(c)) {
            digit = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

std::optional<QString> formatFrequency(const QString &freq)
{
    if (freq.isEmpty())
        return QString();
    if (!isDecimalNumber(freq))
        return std::nullopt;
    if (const std::optional<QString> plain = plainFrequency(freq))
        return plain;
    QStringView digits = QStringView(freq).trimmed();
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative || digits.startsWith(QLatin1Char('+')))
        digits = digits.mid(1);
    const qsizetype point = digits.indexOf(QLatin1Char('.'));
    QStringView whole = point < 0 ? digits : digits.left(point);
    QStringView fraction = point < 0 ? QStringView() : digits.mid(point + 1);

    // Round half away from zero on the decimal digits: whole + three decimals as one integer.
    QString scaled;
    scaled.reserve(whole.size() + 4);
    scaled += whole.isEmpty() ? QStringView(u"0") : whole;
    scaled += fraction.left(3);
    for (qsizetype i = fraction.size(); i < 3; ++i)
        scaled += QLatin1Char('0');
    if (fraction.size() > 3 && fraction[3] >= QLatin1Char('5'))
        scaled = incrementDigits(scaled);
    qsizetype lead = 0;
    while (scaled.size() - lead > 4 && scaled[lead] == QLatin1Char('0'))
        ++lead;
    QStringView kept = QStringView(scaled).mid(lead);
    const bool zero = kept.count(QLatin1Char('0')) == kept.size();
    QString shown;
    shown.reserve(kept.size() + 2);
    if (negative && !zero)
        shown += QLatin1Char('-');
    shown += kept.left(kept.size() - 3);
    shown += QLatin1Char('.');
    shown += kept.right(3);
    return shown;
}

QString listRow(const AdifRecord &record, const QString &defaultPower)
{
    const QString &call = record.value(AdifField::Call);
    const QString &date = record.value(AdifField::QsoDate);
    const QString &freq = record.value(AdifField::Freq);
    const QString &power = record.has(AdifField::TxPwr) ? record.value(AdifField::TxPwr) : defaultPower;
    const QLatin1String separator(", ");
    QString row;
    row.reserve(64 + call.size() + power.size() + record.value(AdifField::Email).size());
    for (qsizetype i = call.size(); i < 6; ++i)
        row += QLatin1Char(' ');
    row += call;
    row += separator;
    if (date.size() == 8) {
        row += QStringView(date).mid(4, 2);
        row += QLatin1Char('.');
        row += QStringView(date).mid(6, 2);
        row += QLatin1Char('.');
        row += QStringView(date).left(4);
    } else {
        row += date;
    }
    row += separator;
    row += QStringView(record.value(AdifField::TimeOn)).left(4);
    row += separator;
    row += formatFrequency(freq).value_or(freq);
    row += separator;
    row += power;
    row += separator;
    row += firstGiven(record, AdifField::Submode, AdifField::Mode);
    row += separator;
    row += firstGiven(record, AdifField::RstSent, AdifField::RstRcvd);
    if (record.has(AdifField::Email)) {
        row += separator;
        row += record.value(AdifField::Email);
    }
    return row;
}

QsoRecord parseListRow(const QString &row)
{
    QStringView rest(row);
    QsoRecord qso;
    qso.callSign = takeField(rest).trimmed();
    qso.utcDate = batchDate(takeField(rest));
    qso.utcTime = batchTime(takeField(rest));
    qso.freq = takeField(rest);
    qso.power = takeField(rest);
    qso.mode = takeField(rest);
    if (!rest.contains(QLatin1Char(','))) {
        qso.signal = rest.left(10).toString();
        return qso;
    }
    qso.signal = takeField(rest);
    qso.email = rest.toString();
    return qso;
}
