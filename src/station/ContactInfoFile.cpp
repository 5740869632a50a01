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

} // namespace

QString callSignFilePart(const QString &callSign)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString part = callSign;
    for (QChar &c : part)
        if (forbidden.contains(c) || c.unicode() < 0x20 || c.category() == QChar::Other_Control
            || isBidiControl(c))
            c = QLatin1Char('_');
    // A leading dot hides the file from listings, a leading dash makes every shell tool read
    // the name as an option.
    for (QChar &c : part) {
        if (c != QLatin1Char('.') && c != QLatin1Char('-'))
            break;
        c = QLatin1Char('_');
    }
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
