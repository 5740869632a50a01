#include "SentJournal.h"

#include "AdifReader.h"
#include "HamBands.h"
#include "JournalNotes.h"
#include "QsoEntryRules.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

QString notAJournal(const QString &path)
{
    return QStringLiteral("%1 is not a sent journal (no ADIF header or record in it); "
                          "move it away and send again.").arg(path);
}

QString systemError(int code)
{
    return QString::fromLocal8Bit(std::strerror(code));
}

// "<NAME:length>value " with the length in bytes of the UTF-8 value; nothing for an empty one.
QByteArray field(const char *name, const QString &value)
{
    const QByteArray bytes = value.toUtf8();
    if (bytes.isEmpty())
        return QByteArray();
    return '<' + QByteArray(name) + ':' + QByteArray::number(bytes.size()) + '>' + bytes + ' ';
}

// Where the last "<EOR>" or "<EOH>" ends (letter case ignored), or -1 when there is none.
qsizetype endOfLastMarker(const QByteArray &bytes)
{
    const QByteArray upper = bytes.toUpper();
    const qsizetype record = upper.lastIndexOf("<EOR>");
    const qsizetype header = upper.lastIndexOf("<EOH>");
    const qsizetype last = qMax(record, header);
    return last < 0 ? -1 : last + 5;
}

bool isBlank(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            return false;
    return true;
}

// Where the last complete entry ends: the last "<EOR>" or "<EOH>", or the line break of a
// journal note written after it; -1 when the bytes have no marker.
qsizetype endOfCompleteEntries(const QByteArray &bytes)
{
    qsizetype end = endOfLastMarker(bytes);
    if (end < 0)
        return end;
    for (qsizetype at = end; at < bytes.size();) {
        const qsizetype lineEnd = bytes.indexOf('\n', at);
        if (lineEnd < 0)
            break;
        const QByteArrayView line = QByteArrayView(bytes).sliced(at, lineEnd - at);
        if (!isBlank(line) && !parseJournalNote(line.trimmed()))
            break;
        at = lineEnd + 1;
        if (!isBlank(line))
            end = at;
    }
    return end;
}

} // namespace

SentQsoKey sentQsoKey(const SentQso &qso)
{
    QString band = qsoBand(qso.freq, qso.band);
    if (band.isEmpty())
        band = formatFrequency(qso.freq).value_or(qso.freq.trimmed());
    return {QStringList{qso.call.trimmed().toUpper(), adifQsoDate(qso.qsoDate), qso.timeOn.trimmed().left(4)}
                .join(QLatin1Char('|')),
            band};
}

void SentQsoSet::insert(const SentQso &qso)
{
    const SentQsoKey key = sentQsoKey(qso);
    m_bandsOfContact[key.contact].insert(key.band);
}

void SentQsoSet::remove(const SentQso &qso)
{
    const SentQsoKey key = sentQsoKey(qso);
    const auto found = m_bandsOfContact.find(key.contact);
    if (found == m_bandsOfContact.end())
        return;
    found->remove(key.band);
    if (found->isEmpty())
        m_bandsOfContact.erase(found);
}

bool SentQsoSet::contains(const SentQso &qso) const
{
    const SentQsoKey key = sentQsoKey(qso);
    const auto found = m_bandsOfContact.constFind(key.contact);
    if (found == m_bandsOfContact.constEnd())
        return false;
    return key.band.isEmpty() || found->contains(key.band) || found->contains(QString());
}

JournalError::JournalError(const QString &text)
    : std::runtime_error(text.toStdString())
    , m_text(text)
{
}

SentJournal::SentJournal(QString path)
    : m_path(std::move(path))
{
}

SentJournal::~SentJournal()
{
    if (m_fd >= 0)
        ::close(m_fd);   // also gives up the lock
}

QByteArray SentJournal::headerText(const QDateTime &createdUtc)
{
    return "Kartello sent journal: one record for each QSL card a mail server accepted.\n"
           + field("ADIF_VER", QStringLiteral("3.1.4")) + field("PROGRAMID", QStringLiteral("Kartello"))
           + field("PROGRAMVERSION", QStringLiteral(KARTELLO_VERSION))
           + field("CREATED_TIMESTAMP", createdUtc.toString(QStringLiteral("yyyyMMdd HHmmss")))
           + "<EOH>\n";
}

QByteArray SentJournal::recordText(const SentQso &qso, const QDate &sentUtc, const QString &messageId)
{
    // A reader skips a record whose FREQ is no number ("14,074" typed on a card): such a
    // frequency is left out, or the card would count as never sent.
    const QString freq = isDecimalNumber(qso.freq) ? qso.freq.trimmed() : QString();
    return field("CALL", qso.call.trimmed()) + field("QSO_DATE", adifQsoDate(qso.qsoDate))
           + field("TIME_ON", qso.timeOn.trimmed()) + field("FREQ", freq)
           + field("BAND", qsoBand(qso.freq, qso.band)) + field("MODE", qso.mode.trimmed())
           + field("EMAIL", qso.email) + field("QSL_SENT", QStringLiteral("Y"))
           + field("QSLSDATE", sentUtc.toString(QStringLiteral("yyyyMMdd")))
           + field("QSL_SENT_VIA", QStringLiteral("E"))
           + field("APP_KARTELLO_MSGID", messageId) + "<EOR>\n";
}

void SentJournal::open()
{
    const QByteArray name = QFile::encodeName(m_path);
    m_fd = ::open(name.constData(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (m_fd < 0)
        throw JournalError(QStringLiteral("Cannot open file %1: %2").arg(m_path, systemError(errno)));
    if (::flock(m_fd, LOCK_EX | LOCK_NB) != 0)
        throw JournalError(QStringLiteral("%1 is in use by another Kartello that is sending cards.").arg(m_path));
    QByteArray bytes;
    char block[65536];
    for (;;) {
        const ssize_t n = ::read(m_fd, block, sizeof block);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw JournalError(QStringLiteral("Cannot read file %1: %2").arg(m_path, systemError(errno)));
        if (n == 0)
            break;
        bytes.append(block, n);
    }
    if (isBlank(bytes)) {
        if (::ftruncate(m_fd, 0) != 0)
            throw JournalError(QStringLiteral("Cannot create file %1: %2").arg(m_path, systemError(errno)));
        writeSynced(headerText(QDateTime::currentDateTimeUtc()));
        // The new file's name must survive a power cut as well as its first record.
        const int dir = ::open(QFile::encodeName(QFileInfo(m_path).absolutePath()).constData(),
                               O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            ::fsync(dir);
            ::close(dir);
        }
        return;
    }
    const QByteArray whole = bytes.left(cutUnfinishedTail(bytes));
    readRecords(whole);
    readNotes(whole);
}

void SentJournal::read()
{
    QFile file(m_path);
    if (!file.exists())
        return;
    if (!file.open(QIODevice::ReadOnly))
        throw JournalError(QStringLiteral("Cannot open file %1: %2").arg(m_path, file.errorString()));
    const QByteArray bytes = file.readAll();
    // A file of something else in the journal's place holds no card, but the cards it was kept
    // for may well have gone out: refused as open() refuses it.
    if (!isBlank(bytes) && endOfCompleteEntries(bytes) < 0)
        throw JournalError(notAJournal(m_path));
    readText(bytes);
}

void SentJournal::readText(const QByteArray &bytes)
{
    const qsizetype end = endOfCompleteEntries(bytes);
    if (end < 0) {
        readRecords(bytes);
        return;
    }
    m_cutTail = !isBlank(QByteArrayView(bytes).sliced(end));
    readRecords(bytes.left(end));
    readNotes(bytes.left(end));
}

qsizetype SentJournal::cutUnfinishedTail(const QByteArray &bytes)
{
    const qsizetype end = endOfCompleteEntries(bytes);
    if (end < 0)
        throw JournalError(notAJournal(m_path));
    if (isBlank(QByteArrayView(bytes).sliced(end)))
        return end;
    // Only a write cut short leaves text after the last record; it never became a record.
    if (::ftruncate(m_fd, end) != 0)
        throw JournalError(QStringLiteral("Cannot write file %1: %2").arg(m_path, systemError(errno)));
    writeSynced("\n");
    m_cutTail = true;
    return end;
}

void SentJournal::readRecords(const QByteArray &bytes)
{
    // Kartello writes the journal as UTF-8: a byte that is not UTF-8 must not turn every
    // other record into Windows-1252 text, where "OZ1ØAB" would no longer be found.
    const AdifLog log = readAdifLog(bytes, AdifEncoding::Utf8);
    for (const AdifRecord &record : log.records) {
        SentQso qso;
        qso.call = record.value(AdifField::Call);
        qso.qsoDate = record.value(AdifField::QsoDate);
        qso.timeOn = record.value(AdifField::TimeOn);
        qso.freq = record.value(AdifField::Freq);
        qso.mode = record.value(AdifField::Mode);
        qso.band = record.value(AdifField::Band);
        m_sent.insert(qso);
        ++m_records;
    }
}

void SentJournal::readNotes(const QByteArray &bytes)
{
    for (const QByteArray &line : bytes.split('\n')) {
        const std::optional<JournalNote> note = parseJournalNote(line.trimmed());
        if (!note)
            continue;
        if (note->kind == JournalNoteKind::Sending)
            m_pending.insert(note->qso);
        else
            m_pending.remove(note->qso);
    }
}

bool SentJournal::containsAll(const std::vector<SentQso> &qsos) const
{
    return std::all_of(qsos.begin(), qsos.end(), [this](const SentQso &qso) { return contains(qso); });
}

bool SentJournal::mayHaveBeenSentAny(const std::vector<SentQso> &qsos) const
{
    return std::any_of(qsos.begin(), qsos.end(), [this](const SentQso &qso) { return mayHaveBeenSent(qso); });
}

void SentJournal::requireOpen() const
{
    if (m_fd < 0)
        throw JournalError(QStringLiteral("Cannot write file %1: it is not open").arg(m_path));
}

void SentJournal::markSending(const SentQso &qso)
{
    markSending(std::vector<SentQso>{qso});
}

void SentJournal::markSending(const std::vector<SentQso> &qsos)
{
    requireOpen();
    QByteArray lines;
    for (const SentQso &qso : qsos)
        lines += journalNoteText(JournalNoteKind::Sending, qso);
    writeSynced(lines);
    for (const SentQso &qso : qsos)
        m_pending.insert(qso);
}

void SentJournal::markNotSent(const SentQso &qso)
{
    markNotSent(std::vector<SentQso>{qso});
}

void SentJournal::markNotSent(const std::vector<SentQso> &qsos)
{
    requireOpen();
    QByteArray lines;
    for (const SentQso &qso : qsos)
        lines += journalNoteText(JournalNoteKind::NotSent, qso);
    writeSynced(lines);
    for (const SentQso &qso : qsos)
        m_pending.remove(qso);
}

void SentJournal::append(const SentQso &qso, const QDate &sentUtc, const QString &messageId)
{
    append(std::vector<SentQso>{qso}, sentUtc, messageId);
}

void SentJournal::append(const std::vector<SentQso> &qsos, const QDate &sentUtc, const QString &messageId)
{
    requireOpen();
    QByteArray records;
    for (const SentQso &qso : qsos)
        records += recordText(qso, sentUtc, messageId);
    writeSynced(records);
    for (const SentQso &qso : qsos)
        m_sent.insert(qso);
    m_records += int(qsos.size());
}

void SentJournal::writeSynced(const QByteArray &bytes)
{
    const off_t before = ::lseek(m_fd, 0, SEEK_END);
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int code = n < 0 ? errno : ENOSPC;
            // A record half written is no record: take it back so the file stays whole.
            if (before >= 0 && ::ftruncate(m_fd, before) == 0)
                ::fsync(m_fd);
            throw JournalError(QStringLiteral("Cannot write file %1: %2").arg(m_path, systemError(code)));
        }
        done += n;
    }
    if (::fsync(m_fd) != 0)
        throw JournalError(QStringLiteral("Cannot write file %1: %2").arg(m_path, systemError(errno)));
}
