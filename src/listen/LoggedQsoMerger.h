#pragma once

#include "MessageFrame.h"

#include <QMultiHash>
#include <QString>

#include <deque>
#include <optional>
#include <vector>

// A logged QSO on its way to the window or the command line.
struct LoggedQso
{
    QString clientId;
    // The message it came in: QsoLogged or LoggedAdif.
    MessageType source = MessageType::LoggedAdif;
    AdifRecord record;
};

// The same QSO, as a key: the call sign in capitals, the date, the time to the minute and the
// band (of the frequency, else the log's BAND). A logging program sends "QSO Logged" and "Logged ADIF" for one QSO
// with the same call and time on, but not always the same mode (FT4 is "FT4" in one and "MFSK"
// in the other) nor the seconds (some programs write HHMM), so neither is part of the key.
// The band is: a station worked on two bands within one minute gave two QSOs. A key without a
// band (no frequency, or one outside the amateur bands) matches that QSO on any band, so
// that one message of a pair without a frequency does not make a second QSO.
struct QsoKey
{
    QString qso;    // "K1ABC|20261208|1407"
    QString band;   // "20m"; empty when not known

    bool matches(const QsoKey &other) const
    {
        return qso == other.qso && (band.isEmpty() || other.band.isEmpty() || band == other.band);
    }
};
QsoKey qsoKey(const AdifRecord &record);

// Decides which messages become QSOs, so that each QSO is applied once although programs send
// it twice, as "QSO Logged" and as "Logged ADIF", in that order:
// - "Logged ADIF" is taken at once; it is read by the ADIF reader, as a log file is;
// - "QSO Logged" waits holdMs for the "Logged ADIF" of the same QSO, which replaces it; if
//   none comes (an older program sends only "QSO Logged"), it is taken when the wait is over;
// - a message for a QSO taken in the last RememberedQsos QSOs is dropped: a second copy
//   (two programs, a repeated datagram, the other message of a pair arriving late).
// Times are milliseconds of any steady clock the caller keeps.
class LoggedQsoMerger
{
public:
    static constexpr qint64 DefaultHoldMs = 500;
    static constexpr int RememberedQsos = 256;

    explicit LoggedQsoMerger(qint64 holdMs = DefaultHoldMs) : m_holdMs(holdMs) {}

    // The QSOs to take now that qso arrived at nowMs, in order: none or one, or a held one
    // taken early when RememberedQsos wait already.
    std::vector<LoggedQso> offer(const LoggedQso &qso, qint64 nowMs);
    // The held "QSO Logged" QSOs whose wait is over at nowMs, in the order they came.
    std::vector<LoggedQso> takeDue(qint64 nowMs);
    // When the next held QSO is due; nothing when none waits.
    std::optional<qint64> nextDue() const;
    // Every held QSO, at once, in order: the listener stops and nothing may be lost.
    std::vector<LoggedQso> takeAll();
    // Messages dropped or replaced as second copies of a QSO.
    int droppedCopies() const { return m_dropped; }

private:
    struct Held
    {
        LoggedQso qso;
        QsoKey key;
        qint64 dueMs = 0;
    };

    bool isHeld(const QsoKey &key) const;
    bool isTaken(const QsoKey &key) const;
    void dropHeld(const QsoKey &key);
    void remember(const QsoKey &key);

    const qint64 m_holdMs;
    std::deque<Held> m_held;
    std::deque<QsoKey> m_takenOrder;
    // The bands taken of each call, date and minute.
    QMultiHash<QString, QString> m_taken;
    int m_dropped = 0;
};
