#include "QsoCardSender.h"

#include "AdifRecord.h"
#include "CardMailRun.h"
#include "ContactEmail.h"
#include "SentJournal.h"

#include <QEventLoop>

#include <exception>
#include <thread>

SentQso sentQsoOfRecord(const AdifRecord &record)
{
    SentQso qso;
    qso.call = record.value(AdifField::Call).trimmed();
    qso.qsoDate = record.value(AdifField::QsoDate);
    qso.timeOn = record.value(AdifField::TimeOn);
    qso.freq = record.value(AdifField::Freq);
    qso.mode = record.value(AdifField::Mode);
    qso.email = cardRecipient(record.value(AdifField::Email));
    qso.band = record.value(AdifField::Band);
    return qso;
}

QsoCardSender::QsoCardSender(QString journalPath, SendClock &clock)
    : m_journalPath(std::move(journalPath))
    , m_clock(clock)
{
}

QString QsoCardSender::refusal(const SentQso &qso) const
{
    if (qso.email.isEmpty())
        return QStringLiteral("no address");
    if (!isAcceptableAddress(qso.email))
        return QStringLiteral("not sent: the e-mail check refuses \"%1\"").arg(qso.email);
    SentJournal journal(m_journalPath);
    try {
        journal.read();
    } catch (const JournalError &error) {
        return QStringLiteral("not sent: ") + error.text();
    }
    if (journal.contains(qso))
        return QStringLiteral("already sent");
    return journal.mayHaveBeenSent(qso) ? QStringLiteral("may have been sent") : QString();
}

QString QsoCardSender::send(Mailer &mailer, const SendSettings &settings, const CardToSend &card,
                            const std::function<bool()> &stop)
{
    const QString stopped = QStringLiteral("not sent: stopped");
    if (m_started) {
        const qint64 wait = m_lastStartMs + 60000 / qMax(1, settings.perMinute) - m_clock.nowMs();
        if (wait > 0 && !m_clock.wait(wait, [&stop] { return stop && stop(); }))
            return stopped;
    }
    SentJournal journal(m_journalPath);
    try {
        journal.open();
    } catch (const JournalError &error) {
        return QStringLiteral("not sent: ") + error.text();
    }
    CardMailRun run(mailer, journal, m_clock);
    run.stopRequested = stop;
    run.RetryWaitsMs = retryWaitsMs;
    m_lastStartMs = m_clock.nowMs();
    m_started = true;
    const SendRunOutcome outcome = run.run(settings, {card});
    const CardResult &result = outcome.cards.front();
    switch (result.fate) {
    case CardFate::Sent: return QStringLiteral("sent");
    case CardFate::AlreadySent: return QStringLiteral("already sent");
    case CardFate::MaybeSent: return QStringLiteral("may have been sent");
    case CardFate::Failed: return QStringLiteral("not sent: ") + result.reason;
    case CardFate::Waiting: break;
    }
    return outcome.stopReason.isEmpty() ? stopped : QStringLiteral("not sent: ") + outcome.stopReason;
}

void runBesideEventLoop(const std::function<void()> &work, std::atomic<bool> *stop,
                        const std::function<void()> &onExit)
{
    std::atomic<bool> ended{false};
    std::exception_ptr failure;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        ended = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    // The loop also ends when the program is told to exit. The work is let finish (a card the
    // server accepted gets its journal record), only told to stop waiting.
    if (!ended && stop)
        *stop = true;
    if (!ended && onExit)
        onExit();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}
