#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QSet>
#include <QString>

#include <stdexcept>

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
};

// What makes two QSOs the same contact: the call sign and mode (letter case and blanks
// ignored), the date, the time to the minute and the band of the frequency (the frequency
// itself, to the kHz, outside the amateur bands). A card sent for one is sent for the other.
QString sentQsoKey(const SentQso &qso);

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

    bool contains(const SentQso &qso) const { return m_keys.contains(sentQsoKey(qso)); }
    int recordCount() const { return m_records; }
    // True when open() had to cut off an unfinished record.
    bool hadUnfinishedRecord() const { return m_cutTail; }

    // Appends the record of a card sent on sentUtc and syncs it to disk. Throws JournalError.
    void append(const SentQso &qso, const QDate &sentUtc, const QString &messageId);

    const QString &path() const { return m_path; }

    // The file's first lines, written when it is created.
    static QByteArray headerText(const QDateTime &createdUtc);
    // One record, ending in "<EOR>" and a line break.
    static QByteArray recordText(const SentQso &qso, const QDate &sentUtc, const QString &messageId);

private:
    void readRecords(const QByteArray &bytes);
    void cutUnfinishedTail(const QByteArray &bytes);
    void writeSynced(const QByteArray &bytes);

    QString m_path;
    int m_fd = -1;
    QSet<QString> m_keys;
    int m_records = 0;
    bool m_cutTail = false;
};
