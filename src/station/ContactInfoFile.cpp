#include "ContactInfoFile.h"

#include "DataFolder.h"

QString callSignFilePart(const QString &callSign)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString part = callSign;
    for (QChar &c : part)
        if (forbidden.contains(c) || c.unicode() < 0x20 || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
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
