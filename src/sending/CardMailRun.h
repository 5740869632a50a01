#pragma once

#include "CardMail.h"
#include "SendClock.h"

#include <QString>

#include <deque>
#include <functional>
#include <vector>

class Mailer;
class SentJournal;

// What became of one card of a run.
// MaybeSent: an earlier send of the card ended without the server's answer (the journal has its
// "Sending" line and no record), so it is not sent again unless resend is set.
enum class CardFate { Waiting, Sent, Failed, AlreadySent, MaybeSent };

struct CardResult
{
    CardFate fate = CardFate::Waiting;
    QString reason;      // the server's line or the error's text when it failed
    QString messageId;   // of the message the server accepted
    int tries = 0;
};

// What a run ended with.
struct SendRunOutcome
{
    std::vector<CardResult> cards;   // in the order the cards were given
    int sent = 0;
    int failed = 0;
    int alreadySent = 0;
    int maybeSent = 0;
    int sessions = 0;        // SMTP sessions opened
    bool stopped = false;    // the operator stopped it
    QString stopReason;      // set when the run stopped at once: why (every card would fail)
};

// Sends a run of cards through one SMTP session: connect, STARTTLS or TLS, log in once, then
// one message after another ("Rset" before each). Every message is the mailer's own
// composition of a card (fillCardMail, with the settings' template), so it is the message Send
// QSL sends. A "card" here is one message: the QSOs of one call sign with all their pictures.
// - A card the server accepts (250 after the message) gets its journal records, one per QSO
//   in one synced write, before the next card goes out; a card whose every QSO the journal
//   already holds is skipped as already sent unless resend is set, and so is one with a QSO
//   that may have been sent before.
// - Before "Data" the journal gets the card's "Sending" lines; a card the server refused after
//   them gets "Not sent" lines, and one whose answer never came keeps its "Sending" lines.
// - A server that ends the session (421, closed connection) gets a new session; the run goes
//   on with the card not yet accepted.
// - A temporary refusal (4xx) of a card tries it again later in the run, at most
//   MaxRetries times, after the growing waits of RetryWaitsMs; other cards go on meanwhile.
// - A permanent refusal (5xx) of a card fails that card with the server's line.
// - A refused login or sender, an untrusted certificate or a server that cannot be reached
//   stops the run at once: stopReason says why, and the cards not yet sent stay Waiting.
// - At most settings.perMinute messages start in any minute.
class CardMailRun
{
public:
    static constexpr int MaxRetries = 3;
    // A session left idle this long is closed rather than kept for the next card.
    static constexpr qint64 IdleSessionMs = 30000;

    CardMailRun(Mailer &mailer, SentJournal &journal, SendClock &clock);

    std::vector<qint64> RetryWaitsMs{60000, 300000, 900000};
    bool resend = false;
    // Asked between two cards and during waits; true stops the run.
    std::function<bool()> stopRequested;
    // Told when a card's fate is settled (index into the cards given to run()).
    std::function<void(int index, const CardResult &result)> onCardDone;
    // Told what the run is doing: "Card 3 of 20 to k1abc@example.net" or a wait.
    std::function<void(const QString &status)> onStatus;

    SendRunOutcome run(const SendSettings &settings, const std::vector<CardToSend> &cards);

private:
    struct Deferred
    {
        int index;
        qint64 dueMs;
    };

    bool nextCard(int &index);
    bool waitFor(qint64 ms);
    bool openSession();
    void closeSession();
    void sendCard(int index);
    void handleFailure(int index, const MailError &error);
    // After a failed send: the journal learns that a card the server cannot have kept was not
    // sent.
    void noteNotSent(const CardToSend &card, bool marked);
    void settle(int index, CardFate fate, const QString &reason);
    void stopRun(const QString &reason);
    bool stopAsked() const { return stopRequested && stopRequested(); }

    Mailer &m_mailer;
    SentJournal &m_journal;
    SendClock &m_clock;
    const SendSettings *m_settings = nullptr;
    const std::vector<CardToSend> *m_cards = nullptr;
    SendRunOutcome m_outcome;
    std::deque<int> m_ready;
    std::vector<Deferred> m_deferred;
    bool m_sessionOpen = false;
    bool m_ended = false;
    qint64 m_lastStartMs = 0;
    bool m_started = false;
    int m_done = 0;
    int m_toSend = 0;
};
