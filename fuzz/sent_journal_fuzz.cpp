// Builds a sent journal from arbitrary QSOs as Kartello writes it, then spoils it the ways a
// disk and a power cut do: a record torn anywhere at the end, any bytes after it, and single
// bytes that are not UTF-8 between records. Every record written whole must still be found.
//
// Input: byte 0 chooses the spoiling (bits 0-1: records 1 to 4 kept whole; bit 2: a record torn
// at the end; bit 3: a stray byte between records; bit 4: the "Sending" line of the torn card), byte 1 where the tear and the stray byte
// fall, byte 2 the stray byte; the rest is split at 0x1E into the QSOs (fields call, date,
// time, frequency, band and e-mail, split at 0x1F) and, last, the bytes added at the end.
#include "JournalNotes.h"
#include "SentJournal.h"

#include <QByteArrayList>
#include <QDateTime>

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

// A field as a log could hold it and Kartello's reader gives it back: one line, and no "<"
// (a value never runs into something that looks like a tag).
QString fieldText(const QList<QByteArray> &fields, int i)
{
    QString text = i < fields.size() ? QString::fromUtf8(fields[i]) : QString();
    QString kept;
    for (const QChar c : text)
        if (c != QLatin1Char('<') && c.category() != QChar::Other_Control)
            kept += c;
    return kept;
}

SentQso qsoOf(const QByteArray &bytes)
{
    const QList<QByteArray> fields = bytes.split('\x1f');
    SentQso qso;
    qso.call = fieldText(fields, 0);
    qso.qsoDate = fieldText(fields, 1);
    qso.timeOn = fieldText(fields, 2);
    qso.freq = fieldText(fields, 3);
    qso.band = fieldText(fields, 4);
    qso.email = fieldText(fields, 5);
    qso.mode = QStringLiteral("FT8");
    return qso;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const int whole = 1 + (data[0] & 3);
    const bool tear = data[0] & 4;
    const bool stray = data[0] & 8;
    const bool sendingLine = data[0] & 16;
    const int place = data[1];
    const char strayByte = char(data[2] | 0x80);
    QByteArrayList parts = QByteArray(reinterpret_cast<const char *>(data) + 3, qsizetype(size - 3)).split('\x1e');
    const QByteArray added = parts.size() > 1 ? parts.takeLast() : QByteArray();

    const QDate day(2026, 12, 8);
    QByteArray journal = SentJournal::headerText(QDateTime(day, QTime(12, 0), Qt::UTC));
    std::vector<SentQso> written;
    for (int i = 0; i < whole && i < parts.size(); ++i) {
        const SentQso qso = qsoOf(parts[i]);
        if (qso.call.trimmed().isEmpty())
            continue;
        if (stray && place % whole == i)
            journal += strayByte;
        journal += SentJournal::recordText(qso, day, QStringLiteral("<id@example.org>"));
        written.push_back(qso);
    }
    if (sendingLine && parts.size() > whole)
        journal += journalNoteText(JournalNoteKind::Sending, qsoOf(parts[whole]));
    if (tear && parts.size() > whole) {
        const QByteArray torn = SentJournal::recordText(qsoOf(parts[whole]), day, QStringLiteral("<id@example.org>"));
        journal += torn.left(place % qMax<qsizetype>(1, torn.size() - 1));
    }
    journal += added;

    SentJournal reader(QStringLiteral("Sent.adi"));
    reader.readText(journal);
    for (const SentQso &qso : written)
        if (!reader.contains(qso))
            std::abort();
    return 0;
}
