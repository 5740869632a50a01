#include "CardSending.h"

#include "Mailer.h"

#include <QEventLoop>
#include <QProgressDialog>

#include <thread>

CardSendOutcome sendWithProgress(Mailer &mailer, const QString &recipient, QWidget *parent)
{
    CardSendOutcome outcome;
    mailer.clearCancel();
    const Mailer::SendErrorEvent previous = mailer.onSendError;
    // Called on the sending thread; read only after that thread has ended.
    mailer.onSendError = [&outcome](Mailer *, const QString &text) { outcome.error = text; };

    QProgressDialog box(QStringLiteral("Sending the card to %1 ...").arg(recipient),
                        QStringLiteral("Cancel"), 0, 0, parent);
    box.setObjectName(QStringLiteral("SendingBox"));
    box.setWindowTitle(QStringLiteral("Send QSL"));
    box.setWindowModality(Qt::ApplicationModal);
    box.setAutoClose(false);
    box.setAutoReset(false);
    box.setMinimumDuration(0);
    QObject::connect(&box, &QProgressDialog::canceled, [&] {
        outcome.cancelled = true;
        mailer.cancel();
    });

    QEventLoop loop;
    std::thread worker([&] {
        try {
            mailer.send();
        } catch (...) {
            outcome.closingFailure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    box.show();
    loop.exec();
    worker.join();
    box.hide();
    mailer.onSendError = previous;
    // The operator reads the server's place and the step, not a Winsock number.
    if (!outcome.error.isEmpty())
        outcome.error = mailer.lastFailureText();
    if (outcome.cancelled)
        outcome.error.clear();
    return outcome;
}
