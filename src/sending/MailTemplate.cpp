#include "MailTemplate.h"

#include "DataFolder.h"
#include "HamBands.h"
#include "KartelloError.h"
#include "OneLine.h"
#include "QsoEntryRules.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// "1200" or "120000" as "12:00"; any other text as it stands.
QString clockTime(const QString &timeOn)
{
    const QString t = timeOn.trimmed();
    const bool digits = std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); });
    if (digits && (t.size() == 4 || t.size() == 6))
        return t.left(2) + QLatin1Char(':') + t.mid(2, 2);
    return t;
}

QString bandOrFrequency(const SentQso &qso)
{
    const QString band = qsoBand(qso.freq, qso.band);
    if (!band.isEmpty())
        return band;
    const QString freq = qso.freq.trimmed();
    return freq.isEmpty() ? QString() : freq + QStringLiteral(" MHz");
}

// The value of a known placeholder's name; none for a name Kartello does not know.
std::optional<QString> placeholderValue(QStringView name, const CardMailFacts &facts, bool inSubject)
{
    const int count = int(facts.qsos.size());
    if (name == u"CALL")   // as the card shows it, whatever case the log wrote it in
        return upperCaseAtoZ(oneLineText(facts.qsos.empty() ? QString() : facts.qsos.front().call).trimmed());
    if (name == u"MYCALL")
        return oneLineText(facts.myCall);
    if (name == u"MYEMAIL")
        return oneLineText(facts.myEmail);
    if (name == u"COUNT")
        return QString::number(count);
    if (name == u"QSOCOUNT")
        return count == 1 ? QStringLiteral("1 QSO") : QStringLiteral("%1 QSOs").arg(count);
    if (name == u"QSOS") {
        QStringList lines;
        for (int i = 0; i < count; ++i)
            lines << oneLineText(qsoMailLine(facts.qsos[size_t(i)], facts.reports.value(i)));
        return lines.join(inSubject ? QStringLiteral("; ") : QStringLiteral("\n"));
    }
    return std::nullopt;
}

// The text with its placeholders filled in, in one pass over the template's own text.
QString filledIn(const QString &text, const CardMailFacts &facts, bool inSubject)
{
    QString out;
    qsizetype at = 0;
    while (at < text.size()) {
        const qsizetype open = text.indexOf(QLatin1Char('{'), at);
        const qsizetype close = open < 0 ? -1 : text.indexOf(QLatin1Char('}'), open + 1);
        if (close < 0)
            break;
        out += QStringView(text).sliced(at, open - at);
        const std::optional<QString> value =
            placeholderValue(QStringView(text).sliced(open + 1, close - open - 1), facts, inSubject);
        if (value) {
            out += *value;
            at = close + 1;
        } else {
            // "{{CALL}": the first brace is text, the second may open a placeholder.
            out += QLatin1Char('{');
            at = open + 1;
        }
    }
    out += QStringView(text).sliced(at);
    return out;
}

} // namespace

MailTemplate mailTemplateFromLines(const QStringList &lines, const QString &path)
{
    if (lines.isEmpty() || lines.front().trimmed().isEmpty())
        throw KartelloError(QStringLiteral("The mail template %1 has no subject: its first line is the "
                                           "subject of the message.").arg(path));
    QStringList body = lines.mid(1);
    if (!body.isEmpty() && body.front().trimmed().isEmpty())
        body.removeFirst();
    return {lines.front(), body.join(QLatin1Char('\n'))};
}

std::optional<MailTemplate> readMailTemplate(const QString &path)
{
    const QFileInfo info(path);
    // A link that leads nowhere is a template the operator meant, not an absent one.
    if (!info.exists() && !info.isSymLink())
        return std::nullopt;
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly))
        throw KartelloError(QStringLiteral("The mail template %1 cannot be read: %2")
                                .arg(path, info.isDir() ? QStringLiteral("it is a folder") : file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw KartelloError(QStringLiteral("The mail template %1 cannot be read: %2").arg(path, file.errorString()));
    return mailTemplateFromLines(splitLines(bytes), path);
}

CardMailText usualCardMailText(const QString &myEmail)
{
    const QString subject = QStringLiteral("QSL card attachment from ") + myEmail;
    return {subject, QStringList{subject}};
}

CardMailText renderMailTemplate(const MailTemplate &mailTemplate, const CardMailFacts &facts)
{
    CardMailText text;
    text.subject = oneLineText(filledIn(mailTemplate.subject, facts, true));
    text.body = filledIn(mailTemplate.body, facts, false).split(QLatin1Char('\n'));
    return text;
}

QString qsoMailLine(const SentQso &qso, const QString &report)
{
    const QString day = cardDateText(qso.qsoDate, CardDateStyle::Iso).trimmed();
    const QString time = clockTime(qso.timeOn);
    QStringList parts;
    const QString when = (day + QLatin1Char(' ') + (time.isEmpty() ? QString() : time + QStringLiteral(" UTC"))).trimmed();
    for (const QString &part : {when, bandOrFrequency(qso), qso.mode.trimmed(),
                                report.trimmed().isEmpty() ? QString() : QStringLiteral("RST ") + report.trimmed()})
        if (!part.isEmpty())
            parts << part;
    return parts.join(QStringLiteral(", "));
}
