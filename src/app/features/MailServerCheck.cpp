#include "MailServerCheck.h"

#include "CardSending.h"
#include "MailErrors.h"
#include "Mailer.h"

namespace {

// Called on the checking thread; the result is read only after that thread has ended.
void tryServer(Mailer &mailer, MailServerCheck &check)
{
    try {
        mailer.openSession();
        check.loggedIn = mailer.smtp().authenticated();
        mailer.closeSession();
        check.reached = true;
    } catch (const MailError &e) {
        check.error = e.text();
    } catch (const std::exception &e) {
        check.error = QString::fromLocal8Bit(e.what());
    }
    if (!check.reached) {
        try {
            mailer.closeSession();
        } catch (...) {
            // The failure that ended the try is the one to report.
        }
    }
}

} // namespace

MailServerCheck checkMailServer(Mailer &mailer, QWidget *parent)
{
    MailServerCheck check;
    check.cancelled = runBesideCancelBox(
        mailer, QStringLiteral("MailTestBox"), QStringLiteral("Mail settings"),
        QStringLiteral("Testing the mail server %1:%2 ...").arg(mailer.host).arg(mailer.port), parent,
        [&] { tryServer(mailer, check); });
    mailer.clearCancel();
    if (check.cancelled) {
        check.reached = false;
        check.error.clear();
    }
    return check;
}

QString mailServerCheckReport(const QString &server, const MailServerCheck &check, bool secure,
                              bool loginAsked)
{
    if (!check.reached)
        return QStringLiteral("The test of the mail server %1 failed: %2").arg(server, check.error);
    QString found;
    if (check.loggedIn)
        found = QStringLiteral("The mail server %1 took the connection and the login.");
    else if (!secure)
        found = QStringLiteral("The mail server %1 took the connection. Without security no login "
                               "is tried.");
    else if (!loginAsked)
        found = QStringLiteral("The mail server %1 took the secure connection. No user name is "
                               "set, so no login was tried.");
    else
        found = QStringLiteral("The mail server %1 took the secure connection.");
    return found.arg(server) + QStringLiteral(" No message was sent.");
}
