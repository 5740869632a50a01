#include "BatchSending.h"

#include "Mailer.h"
#include "SentJournal.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <exception>
#include <thread>

SendRunOutcome sendCardsInBackground(const SendSettings &settings, SentJournal &journal,
                                     const std::vector<CardToSend> &cards, bool resend,
                                     const std::atomic<bool> &stop,
                                     const std::function<void(const QString &)> &status)
{
    SendRunOutcome outcome;
    std::exception_ptr failure;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            Mailer mailer;
            SystemSendClock clock;
            CardMailRun run(mailer, journal, clock);
            run.resend = resend;
            run.stopRequested = [&stop] { return stop.load(); };
            run.onStatus = [&loop, status](const QString &text) {
                QMetaObject::invokeMethod(&loop, [status, text] { status(text); }, Qt::QueuedConnection);
            };
            outcome = run.run(settings, cards);
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued after every status text, so the loop has shown them all when it ends.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return outcome;
}
