#include "CardMailRun.h"

#include "MailErrors.h"
#include "Mailer.h"
#include "SentJournal.h"

#include <algorithm>

CardMailRun::CardMailRun(Mailer &mailer, SentJournal &journal, SendClock &clock)
    : m_mailer(mailer)
    , m_journal(journal)
    , m_clock(clock)
{
}

SendRunOutcome CardMailRun::run(const SendSettings &settings, const std::vector<CardToSend> &cards)
{
    m_settings = &settings;
    m_cards = &cards;
    m_outcome = SendRunOutcome();
    m_outcome.cards.resize(cards.size());
    m_ready.clear();
    m_deferred.clear();
    m_ended = false;
    m_started = false;
    m_done = 0;
    fillMailServer(m_mailer, settings);
    for (int i = 0; i < int(cards.size()); ++i) {
        if (cards[i].qsos.empty())
            settle(i, CardFate::Failed, QStringLiteral("the card has no QSO"));
        else if (!resend && m_journal.containsAll(cards[i].qsos))
            settle(i, CardFate::AlreadySent, QString());
        else if (!resend && m_journal.mayHaveBeenSentAny(cards[i].qsos))
            settle(i, CardFate::MaybeSent, QString());
        else
            m_ready.push_back(i);
    }
    m_toSend = int(m_ready.size());
    int index = 0;
    while (!m_ended && nextCard(index))
        sendCard(index);
    closeSession();
    return m_outcome;
}

bool CardMailRun::nextCard(int &index)
{
    for (;;) {
        if (stopAsked()) {
            m_outcome.stopped = true;
            return false;
        }
        const qint64 now = m_clock.nowMs();
        std::stable_sort(m_deferred.begin(), m_deferred.end(),
                         [](const Deferred &a, const Deferred &b) { return a.dueMs < b.dueMs; });
        while (!m_deferred.empty() && m_deferred.front().dueMs <= now) {
            m_ready.push_back(m_deferred.front().index);
            m_deferred.erase(m_deferred.begin());
        }
        if (!m_ready.empty()) {
            index = m_ready.front();
            m_ready.pop_front();
            return true;
        }
        if (m_deferred.empty())
            return false;
        const qint64 wait = m_deferred.front().dueMs - now;
        // A server drops a session that idles for minutes; a new one is cheaper than a
        // failed card.
        if (wait > IdleSessionMs)
            closeSession();
        if (onStatus)
            onStatus(QStringLiteral("Waiting %1 s to try %2 again")
                         .arg((wait + 999) / 1000)
                         .arg((*m_cards)[m_deferred.front().index].label));
        if (!waitFor(wait)) {
            m_outcome.stopped = true;
            return false;
        }
    }
}

bool CardMailRun::waitFor(qint64 ms)
{
    return m_clock.wait(ms, [this] { return stopAsked(); });
}

bool CardMailRun::openSession()
{
    for (int attempt = 0;; ++attempt) {
        try {
            m_mailer.openSession();
            m_sessionOpen = true;
            ++m_outcome.sessions;
            return true;
        } catch (const MailError &error) {
            const FailureVerdict verdict = judgeFailure(error, m_mailer.smtp().step());
            if (verdict == FailureVerdict::Stopped) {
                m_outcome.stopped = true;
                m_ended = true;
                return false;
            }
            if (verdict != FailureVerdict::SessionLost || attempt >= MaxRetries) {
                stopRun(m_mailer.failureText(error));
                return false;
            }
            const qint64 wait = RetryWaitsMs.at(std::min<size_t>(attempt, RetryWaitsMs.size() - 1));
            if (onStatus)
                onStatus(QStringLiteral("The server refused a session (%1); trying again in %2 s")
                             .arg(m_mailer.failureText(error)).arg((wait + 999) / 1000));
            if (!waitFor(wait)) {
                m_outcome.stopped = true;
                m_ended = true;
                return false;
            }
        }
    }
}

void CardMailRun::closeSession()
{
    try {
        m_mailer.closeSession();
    } catch (const MailError &) {
        // A session that cannot even say goodbye is closed all the same.
    }
    m_sessionOpen = false;
}

void CardMailRun::sendCard(int index)
{
    const CardToSend &card = (*m_cards)[index];
    // The same QSO twice in one run goes out once.
    if (!resend && m_journal.containsAll(card.qsos)) {
        settle(index, CardFate::AlreadySent, QString());
        return;
    }
    const qint64 gap = 60000 / qMax(1, m_settings->perMinute);
    const qint64 wait = m_started ? m_lastStartMs + gap - m_clock.nowMs() : 0;
    if (wait > IdleSessionMs)
        closeSession();
    if (wait > 0 && !waitFor(wait)) {
        m_outcome.stopped = true;
        m_ended = true;
        return;
    }
    if (!m_sessionOpen && !openSession())
        return;
    if (onStatus)
        onStatus(QStringLiteral("Card %1 of %2 to %3").arg(m_done + 1).arg(m_toSend).arg(card.recipient()));
    fillCardMail(m_mailer, m_settings->operatorEmail, cardMailTextOf(*m_settings, card));
    m_mailer.recipients.clear();
    m_mailer.recipients.add(card.recipient());
    m_mailer.attachments.setAttachedFiles(card.attachments);
    m_lastStartMs = m_clock.nowMs();
    m_started = true;
    ++m_outcome.cards[index].tries;
    bool marked = false;
    SmtpClient &smtp = m_mailer.smtp();
    smtp.beforeData = [this, &card, &marked] {
        m_journal.markSending(card.qsos);
        marked = true;
    };
    struct HookOff {
        SmtpClient &smtp;
        ~HookOff() { smtp.beforeData = nullptr; }
    } hookOff{smtp};
    try {
        m_mailer.sendInSession();
    } catch (const MailError &error) {
        noteNotSent(card, marked);
        handleFailure(index, error);
        return;
    } catch (const JournalError &error) {
        // Without its "Sending" line a card could go out twice; it goes not at all.
        closeSession();
        stopRun(QStringLiteral("The card for %1 was not sent: %2").arg(card.label, error.text()));
        return;
    }
    const QString messageId = m_mailer.messageId();
    m_outcome.cards[index].messageId = messageId;
    // A QSO of the card that the journal holds already keeps its one record (resend records
    // every QSO again: it went out again).
    std::vector<SentQso> toRecord;
    for (const SentQso &qso : card.qsos)
        if (resend || !m_journal.contains(qso))
            toRecord.push_back(qso);
    try {
        m_journal.append(toRecord, m_clock.todayUtc(), messageId);
    } catch (const JournalError &error) {
        // Sending on would send cards that the journal cannot keep from going out twice.
        settle(index, CardFate::Sent, QString());
        stopRun(QStringLiteral("The card for %1 was sent but could not be recorded: %2")
                    .arg(card.label, error.text()));
        return;
    }
    settle(index, CardFate::Sent, QString());
}

void CardMailRun::noteNotSent(const CardToSend &card, bool marked)
{
    if (!marked || m_mailer.smtp().messageMayHaveArrived())
        return;
    try {
        m_journal.markNotSent(card.qsos);
    } catch (const JournalError &) {
        // The card then counts as one that may have been sent: on the safe side.
    }
}

void CardMailRun::handleFailure(int index, const MailError &error)
{
    const SmtpClient::Step step = m_mailer.smtp().step();
    const FailureVerdict verdict = judgeFailure(error, step);
    const QString text = m_mailer.failureText(error);
    // A message cut off in its text leaves the session in the middle of DATA.
    if (verdict == FailureVerdict::SessionLost || step == SmtpClient::Step::MessageText)
        closeSession();
    const bool triesLeft = m_outcome.cards[index].tries <= MaxRetries;
    switch (verdict) {
    case FailureVerdict::Stopped:
        m_outcome.stopped = true;
        m_ended = true;
        break;
    case FailureVerdict::StopRun:
        stopRun(text);
        break;
    case FailureVerdict::SessionLost:
        if (triesLeft)
            m_ready.push_front(index);
        else
            settle(index, CardFate::Failed, text);
        break;
    case FailureVerdict::TryLater:
        if (triesLeft) {
            const int tries = m_outcome.cards[index].tries;
            const qint64 wait = RetryWaitsMs.at(std::min<size_t>(tries - 1, RetryWaitsMs.size() - 1));
            m_deferred.push_back({index, m_clock.nowMs() + wait});
        } else {
            settle(index, CardFate::Failed, text);
        }
        break;
    case FailureVerdict::CardRefused:
        settle(index, CardFate::Failed, text);
        break;
    }
}

void CardMailRun::settle(int index, CardFate fate, const QString &reason)
{
    CardResult &result = m_outcome.cards[index];
    result.fate = fate;
    result.reason = reason;
    switch (fate) {
    case CardFate::Sent: ++m_outcome.sent; ++m_done; break;
    case CardFate::Failed: ++m_outcome.failed; ++m_done; break;
    case CardFate::AlreadySent: ++m_outcome.alreadySent; break;
    case CardFate::MaybeSent: ++m_outcome.maybeSent; break;
    case CardFate::Waiting: break;
    }
    if (onCardDone)
        onCardDone(index, result);
}

void CardMailRun::stopRun(const QString &reason)
{
    m_outcome.stopReason = reason;
    m_ended = true;
    closeSession();
}
