#include "CardSending.h"

#include "Mailer.h"

#include <QEventLoop>
#include <QProgressDialog>

#include <thread>

bool runBesideCancelBox(Mailer &mailer, const QString &objectName, const QString &title,
                        const QString &text, QWidget *parent, const std::function<void()> &work)
{
    bool cancelled = false;
    mailer.clearCancel();
    QProgressDialog box(text, QStringLiteral("Cancel"), 0, 0, parent);
    box.setObjectName(objectName);
    box.setWindowTitle(title);
    box.setWindowModality(Qt::ApplicationModal);
    box.setAutoClose(false);
    box.setAutoReset(false);
    box.setMinimumDuration(0);
    QObject::connect(&box, &QProgressDialog::canceled, [&] {
        cancelled = true;
        mailer.cancel();
    });
    QEventLoop loop;
    std::thread worker([&] {
        work();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    box.show();
    loop.exec();
    worker.join();
    box.hide();
    return cancelled;
}

CardSendOutcome sendWithProgress(Mailer &mailer, const QString &recipient, QWidget *parent)
{
    CardSendOutcome outcome;
    const Mailer::SendErrorEvent previous = mailer.onSendError;
    // Called on the sending thread; read only after that thread has ended.
    mailer.onSendError = [&outcome](Mailer *, const QString &text) { outcome.error = text; };
    outcome.cancelled = runBesideCancelBox(
        mailer, QStringLiteral("SendingBox"), QStringLiteral("Send QSL"),
        QStringLiteral("Sending the card to %1 ...").arg(recipient), parent, [&] {
            try {
                mailer.send();
            } catch (...) {
                outcome.closingFailure = std::current_exception();
            }
        });
    mailer.onSendError = previous;
    // The operator reads the server's place and the step, not a Winsock number.
    if (!outcome.error.isEmpty())
        outcome.error = mailer.lastFailureText();
    if (outcome.cancelled)
        outcome.error.clear();
    return outcome;
}
