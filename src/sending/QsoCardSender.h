#pragma once

#include "CardMail.h"
#include "SendClock.h"

#include <QString>

#include <atomic>
#include <functional>
#include <vector>

class AdifRecord;
class Mailer;

// The QSO of a log record as the sent journal records it, with the log's own texts; email is
// the record's address as a card is sent to it.
SentQso sentQsoOfRecord(const AdifRecord &record);

// E-mails the card of each QSO that a listener hands over, one at a time, as a run of one
// card through CardMailRun: the journal is opened for that card only (so that `kartello send`
// or Send Selected can use it between two QSOs), a QSO it holds never goes out again, and the
// pace of the settings holds from one QSO to the next.
class QsoCardSender
{
public:
    QsoCardSender(QString journalPath, SendClock &clock);

    // Why the card of qso is not to go out, known before the card is made: "no address", the
    // e-mail check's refusal, "already sent", "may have been sent" (an earlier send ended
    // without the server's answer) or the journal's error; empty when it goes.
    QString refusal(const SentQso &qso) const;

    // Sends card (its picture made) through mailer and says what was done: "sent", "already
    // sent", "may have been sent" or "not sent: " and why. stop is asked during the waits.
    QString send(Mailer &mailer, const SendSettings &settings, const CardToSend &card,
                 const std::function<bool()> &stop = {});

    // The waits before a card the server refused for the time being, or a session it refused,
    // is tried again: short, since the QSOs after it wait meanwhile. A card still refused is
    // left out of the journal, so a later `kartello send` or Send Selected sends it.
    std::vector<qint64> retryWaitsMs{5000, 15000, 30000};

private:
    const QString m_journalPath;
    SendClock &m_clock;
    qint64 m_lastStartMs = 0;
    bool m_started = false;
};

// Runs work on a thread of its own while the calling thread's event loop goes on (datagrams,
// signals, painting), and returns once work has ended, passing on what it threw. Events that
// come meanwhile may call back into the caller: it has to be ready for that. When the program
// is told to exit before work has ended, stop (when given) turns true and onExit (when given)
// is called on the calling thread, so that work ends soon (onExit may abort a connection).
void runBesideEventLoop(const std::function<void()> &work, std::atomic<bool> *stop = nullptr,
                        const std::function<void()> &onExit = {});
