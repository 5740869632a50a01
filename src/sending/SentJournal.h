#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QSet>
#include <QString>

#include <stdexcept>
#include <vector>

// The journal's file name in the data folder.
inline const QString SentJournalFileName = QStringLiteral("Sent.adi");

// The QSO of one card as the sent journal records it, with the log's own texts.
struct SentQso
{
    QString call;      // CALL
    QString qsoDate;   // QSO_DATE, YYYYMMDD; a typed date is written so (adifQsoDate())
    QString timeOn;    // TIME_ON, HHMM or HHMMSS
    QString freq;      // FREQ in MHz; may be empty
    QString mode;      // MODE
    QString email;     // EMAIL, the address the card went to
    QString band;      // BAND as the log gives it; the band of freq counts first (qsoBand())
};

// A QSO as the journal tells QSOs apart: the call sign (letter case and blanks ignored), the
// date and the time to the minute make the contact; the band is the band of the frequency,
// else the log's BAND, else the frequency itself to the kHz outside the amateur bands, empty
// when none is known. The mode is not part of it: one QSO is "FT4" in one log and "MFSK" in
// another.
struct SentQsoKey
{
    QString contact;   // "K1ABC|20261201|1200"
    QString band;      // "20m"

    // One QSO: the same contact on the same band, or on a band one of them does not know (a
    // card typed without a frequency is the card of that QSO on any band).
    bool sameQso(const SentQsoKey &other) const
    {
        return contact == other.contact && (band == other.band || band.isEmpty() || other.band.isEmpty());
    }
};
SentQsoKey sentQsoKey(const SentQso &qso);

// A set of QSOs, asked as SentQsoKey::sameQso() matches them.
class SentQsoSet
{
public:
    void insert(const SentQso &qso);
    // Takes out the QSO of exactly that key.
    void remove(const SentQso &qso);
    bool contains(const SentQso &qso) const;

private:
    QHash<QString, QSet<QString>> m_bandsOfContact;
};

// A failure to read or write the journal; text() says which file and what went wrong.
class JournalError : public std::runtime_error
{
public:
    explicit JournalError(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// The sent journal "Sent.adi": an ADIF file with one record per card that a mail server
// accepted, for the operator's logger to import (QSL_SENT Y, QSLSDATE, QSL_SENT_VIA E, the
// message's Message-ID in APP_KARTELLO_MSGID). Records are only ever appended, each synced
// to disk before append() returns, so a crash or a power cut never loses the record of a
// card that went out. While a journal is open no other Kartello can append to the file.
// Exactly once is more than SMTP can promise: a card whose server accepted it just before a
// crash, or whose connection broke while the server's answer was awaited, may have gone out
// without its record. So a "Sending" line is written before each message (JournalNotes.h),
// and a card with such a line but no record is one that may have been sent.
class SentJournal
{
public:
    explicit SentJournal(QString path);
    ~SentJournal();
    SentJournal(const SentJournal &) = delete;
    SentJournal &operator=(const SentJournal &) = delete;

    // Opens the file (created with its header when missing), locks it and reads the QSOs it
    // holds. An unfinished record at its end (a write cut short by a power cut) is cut off.
    // Throws JournalError.
    void open();

    // Only reads the QSOs of the file, when there is one, without locking or changing it (for
    // a run that sends nothing). Throws JournalError.
    void read();
    // Reads the QSOs of a journal's bytes as read() reads the file. The journal is UTF-8
    // whatever its bytes: an unfinished record at its end (cut inside a character, maybe) is
    // passed over, and a byte that is not UTF-8 spoils no other record.
    void readText(const QByteArray &bytes);

    bool contains(const SentQso &qso) const { return m_sent.contains(qso); }
    // True when a send of the QSO's card began and ended without an answer that says whether
    // the server kept it, and no later record says it was sent.
    bool mayHaveBeenSent(const SentQso &qso) const { return !m_sent.contains(qso) && m_pending.contains(qso); }
    // The same asked of the QSOs of one message: it was sent when every one of them was, and
    // may have been sent when any one of them may have been.
    bool containsAll(const std::vector<SentQso> &qsos) const;
    bool mayHaveBeenSentAny(const std::vector<SentQso> &qsos) const;
    int recordCount() const { return m_records; }
    // True when open() had to cut off an unfinished record (read() passed over one).
    bool hadUnfinishedRecord() const { return m_cutTail; }

    // Appends the record of a card sent on sentUtc and syncs it to disk. Throws JournalError.
    void append(const SentQso &qso, const QDate &sentUtc, const QString &messageId);
    // Appends one record per QSO of a message, all with its Message-ID, in one synced write.
    void append(const std::vector<SentQso> &qsos, const QDate &sentUtc, const QString &messageId);

    // Writes, synced, that the card of qso is about to go out; until its record follows, the
    // card may have been sent. Throws JournalError.
    void markSending(const SentQso &qso);
    void markSending(const std::vector<SentQso> &qsos);   // one line per QSO, one write
    // Writes that the server refused the card of qso after markSending(): it was not sent.
    // Throws JournalError.
    void markNotSent(const SentQso &qso);
    void markNotSent(const std::vector<SentQso> &qsos);   // one line per QSO, one write

    const QString &path() const { return m_path; }

    // The file's first lines, written when it is created.
    static QByteArray headerText(const QDateTime &createdUtc);
    // One record, ending in "<EOR>" and a line break.
    static QByteArray recordText(const SentQso &qso, const QDate &sentUtc, const QString &messageId);

private:
    void readRecords(const QByteArray &bytes);
    void readNotes(const QByteArray &bytes);
    // Cuts the file after its last complete entry; returns where that ends.
    qsizetype cutUnfinishedTail(const QByteArray &bytes);
    void writeSynced(const QByteArray &bytes);
    void requireOpen() const;

    QString m_path;
    int m_fd = -1;
    SentQsoSet m_sent;
    SentQsoSet m_pending;   // "Sending" without "Not sent" after it
    int m_records = 0;
    bool m_cutTail = false;
};
