#include "JournalNotes.h"

#include "HamBands.h"
#include "QsoEntryRules.h"

#include <QList>
#include <QUrl>

#include <array>

namespace {

constexpr QByteArrayView kSending = "Sending: ";
constexpr QByteArrayView kNotSent = "Not sent: ";

// Blanks separate the fields; "<" and every non-ASCII byte are encoded as well.
QByteArray encoded(const QString &value)
{
    return QUrl::toPercentEncoding(value, "@+:/,");
}

} // namespace

QByteArray journalNoteText(JournalNoteKind kind, const SentQso &qso)
{
    const std::array<std::pair<const char *, QString>, 7> fields{{
        {"CALL", qso.call.trimmed()},
        {"QSO_DATE", adifQsoDate(qso.qsoDate)},
        {"TIME_ON", qso.timeOn.trimmed()},
        {"FREQ", qso.freq.trimmed()},
        {"BAND", qsoBand(qso.freq, qso.band)},
        {"MODE", qso.mode.trimmed()},
        {"EMAIL", qso.email},
    }};
    QByteArray line = (kind == JournalNoteKind::Sending ? kSending : kNotSent).toByteArray();
    for (const auto &[name, value] : fields)
        line += QByteArray(name) + '=' + encoded(value) + ' ';
    line.chop(1);
    return line + '\n';
}

std::optional<JournalNote> parseJournalNote(QByteArrayView line)
{
    JournalNote note;
    if (line.startsWith(kSending)) {
        note.kind = JournalNoteKind::Sending;
        line = line.sliced(kSending.size());
    } else if (line.startsWith(kNotSent)) {
        note.kind = JournalNoteKind::NotSent;
        line = line.sliced(kNotSent.size());
    } else {
        return std::nullopt;
    }
    bool hasCall = false;
    for (const QByteArray &field : line.toByteArray().trimmed().split(' ')) {
        const qsizetype equals = field.indexOf('=');
        if (equals <= 0)
            return std::nullopt;
        const QByteArray name = field.left(equals);
        const QString value = QString::fromUtf8(QByteArray::fromPercentEncoding(field.mid(equals + 1)));
        if (name == "CALL") {
            note.qso.call = value;
            hasCall = !value.isEmpty();
        } else if (name == "QSO_DATE") {
            note.qso.qsoDate = value;
        } else if (name == "TIME_ON") {
            note.qso.timeOn = value;
        } else if (name == "FREQ") {
            note.qso.freq = value;
        } else if (name == "BAND") {
            note.qso.band = value;
        } else if (name == "MODE") {
            note.qso.mode = value;
        } else if (name == "EMAIL") {
            note.qso.email = value;
        }
    }
    if (!hasCall)
        return std::nullopt;
    return note;
}
