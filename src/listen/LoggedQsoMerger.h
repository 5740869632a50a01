#pragma once

#include "MessageFrame.h"

#include <QSet>
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

// The same QSO, as a key: the call sign in capitals, the date and the time to the minute.
// A logging program sends "QSO Logged" and "Logged ADIF" for one QSO with the same call and
// time on, but not always the same mode (FT4 is "FT4" in one and "MFSK" in the other) nor the
// seconds (some programs write HHMM), so neither is part of the key.
QString qsoKey(const AdifRecord &record);

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
        QString key;
        qint64 dueMs = 0;
    };

    bool isHeld(const QString &key) const;
    void dropHeld(const QString &key);
    void remember(const QString &key);

    const qint64 m_holdMs;
    std::deque<Held> m_held;
    std::deque<QString> m_takenOrder;
    QSet<QString> m_taken;
    int m_dropped = 0;
};
