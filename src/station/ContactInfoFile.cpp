#include "ContactInfoFile.h"

#include "DataFolder.h"

namespace {

// The characters that make text display in another order than it is stored: a name holding
// one shows as something else ("ABC\u202Egpj.exe" looks like a program).
bool isBidiControl(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x202A && u <= 0x202E)
           || (u >= 0x2066 && u <= 0x2069);
}

// Characters that show nothing (zero width space, soft hyphen, joiners, the byte order mark):
// a name holding one looks like a name without it.
bool isInvisibleFormat(QChar c)
{
    return c.category() == QChar::Other_Format && !isBidiControl(c);
}

bool isReplaced(QChar c)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    return forbidden.contains(c) || c.unicode() < 0x20 || c.category() == QChar::Other_Control
           || isBidiControl(c);
}

// "U+002E" for ".", "U+002E_U+002D" for ".-": a call sign none of whose characters can stand
// in a file name keeps a name of its own.
QString spelledCodes(const QString &text)
{
    QStringList codes;
    for (const char32_t code : text.toUcs4())
        codes << QStringLiteral("U+%1").arg(uint(code), 4, 16, QLatin1Char('0')).toUpper();
    return codes.join(QLatin1Char('_'));
}

} // namespace

QString callSignFilePart(const QString &callSign)
{
    QString part;
    qsizetype kept = 0;   // characters of the call sign that stand in part as they are
    for (const QChar c : callSign) {
        if (isInvisibleFormat(c))
            continue;
        if (isReplaced(c)) {
            part += QLatin1Char('_');
        } else {
            part += c;
            ++kept;
        }
    }
    // A leading dot hides the file from listings, a leading dash makes every shell tool read
    // the name as an option.
    for (QChar &c : part) {
        if (c != QLatin1Char('.') && c != QLatin1Char('-'))
            break;
        c = QLatin1Char('_');
        --kept;
    }
    if (kept == 0 && !callSign.isEmpty())
        return spelledCodes(callSign);
    return part;
}

QString contactInfoFileName(const QString &cardFolder, const QDate &date, const QString &callSign)
{
    return cardFolder + date.toString(QStringLiteral("yy_MM_dd_")) + callSignFilePart(callSign)
           + QStringLiteral("_info.txt");
}

QStringList contactInfoLines(const QString &contactEmail, const QsoRecord &qso)
{
    return {contactEmail, qso.callSign, qso.utcDate, qso.utcTime,
            qso.freq,     qso.mode,     qso.power,   qso.signal};
}

QString writeContactInfoFile(const QString &contactEmail, const QsoRecord &qso,
                             const QDate &dateOfWriting)
{
    const QString path = contactInfoFileName(cardFolder(), dateOfWriting, qso.callSign);
    saveLines(path, contactInfoLines(contactEmail, qso));
    return path;
}
