#include "CardSelection.h"

#include "CardQueue.h"
#include "SentJournal.h"

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

bool CardSelection::takesQueued(const AdifRecord &record) const
{
    if (!unsentOnly)
        return true;
    return journal && needsCard(qslStatusOf(record, journal.get()).state());
}

QString CardSelection::readJournal(const QString &path)
{
    if (!unsentOnly)
        return QString();
    auto read = std::make_shared<SentJournal>(path);
    try {
        read->read();
    } catch (const JournalError &error) {
        return error.text();
    }
    journal = std::move(read);
    return QString();
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

QList<QCommandLineOption> CardSelection::commandLineOptions()
{
    return {{QStringLiteral("rows"),
             QStringLiteral("Only these rows, as kartello rows numbers them: 1-20,25 or 100- (given again, "
                            "the rows add up)."),
             QStringLiteral("LIST")},
            {QStringLiteral("call"),
             QStringLiteral("Only these call signs: K1ABC or K1ABC,DL1XYZ (given again, the call signs add up)."),
             QStringLiteral("CALLS")},
            {QStringLiteral("since"), QStringLiteral("Only the QSOs on or after this date."),
             QStringLiteral("YYYYMMDD")},
            {QStringLiteral("unsent"),
             QStringLiteral("Only the QSOs that need a card: QSL_SENT absent, empty, N, R or Q (or a value "
                            "Kartello does not know), and no card of theirs in Sent.adi, sent or maybe sent.")}};
}

QString CardSelection::read(const QCommandLineParser &parser)
{
    const struct
    {
        const char *option;
        QString (CardSelection::*add)(const QString &value);
    } readers[] = {{"rows", &CardSelection::addRows},
                   {"call", &CardSelection::addCalls},
                   {"since", &CardSelection::setSince}};
    unsentOnly = parser.isSet(QStringLiteral("unsent"));
    for (const auto &reader : readers) {
        for (const QString &value : parser.values(QString::fromLatin1(reader.option))) {
            const QString error = (this->*reader.add)(value);
            if (!error.isEmpty())
                return error;
        }
    }
    return QString();
}

QString CardSelection::addRows(const QString &value)
{
    const std::optional<RowSelection> parsed = RowSelection::parse(value);
    if (!parsed)
        return QStringLiteral("--rows \"%1\" is not a list of rows such as 1-20,25").arg(value);
    rows.add(*parsed);
    return QString();
}

QString CardSelection::addCalls(const QString &value)
{
    const QStringList calls = callSignList(value);
    if (calls.isEmpty())
        return QStringLiteral("--call needs a call sign");
    for (const QString &call : calls)
        if (!callSigns.contains(call))
            callSigns << call;
    return QString();
}

QString CardSelection::setSince(const QString &value)
{
    since = compactDate(value);
    if (!since.isValid())
        return QStringLiteral("--since \"%1\" is not a date YYYYMMDD").arg(value);
    return QString();
}
