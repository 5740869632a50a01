#include "CardMail.h"

#include "MailErrors.h"
#include "Mailer.h"

#include <QDate>

CardToSend CardToSend::single(const SentQso &qso, const QString &attachment, const QString &label,
                              const QString &report)
{
    return {{qso}, {attachment}, {report}, label};
}

QString CardToSend::recipient() const
{
    return qsos.empty() ? QString() : cardRecipient(qsos.front().email);
}

void fillCardMail(Mailer &mailer, const QString &operatorEmail)
{
    fillCardMail(mailer, operatorEmail, usualCardMailText(operatorEmail));
}

void fillCardMail(Mailer &mailer, const QString &operatorEmail, const CardMailText &text)
{
    mailer.from.address = operatorEmail;
    mailer.subject = text.subject;
    mailer.body = text.body;
}

CardMailText cardMailTextOf(const SendSettings &settings, const CardToSend &card)
{
    if (!settings.mailTemplate)
        return usualCardMailText(settings.operatorEmail);
    return renderMailTemplate(*settings.mailTemplate,
                              {settings.stationCall, settings.operatorEmail, card.qsos, card.reports});
}

void fillMailServer(Mailer &mailer, const SendSettings &settings)
{
    mailer.host = settings.host;
    mailer.port = settings.port;
    mailer.security = settings.security;
    mailer.userName = settings.userName;
    mailer.password = settings.password;
}

SentQso sentQsoOf(const QsoRecord &qso)
{
    const QDate day = QDate::fromString(qso.utcDate.trimmed(), QStringLiteral("M.d.yyyy"));
    QString hhmm = qso.utcTime.trimmed();
    if (hhmm.size() == 5 && hhmm.at(2) == QLatin1Char(':'))
        hhmm.remove(2, 1);
    return {qso.callSign.trimmed().toUpper(),
            day.isValid() ? day.toString(QStringLiteral("yyyyMMdd")) : qso.utcDate.trimmed(), hhmm,
            qso.freq.trimmed(), qso.mode.trimmed(), cardRecipient(qso.email), QString()};
}

QString cardRecipient(const QString &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && text.at(from).unicode() <= ' ')
        ++from;
    while (to > from && text.at(to - 1).unicode() <= ' ')
        --to;
    return text.mid(from, to - from);
}

FailureVerdict judgeFailure(const MailError &error, SmtpClient::Step step)
{
    using Step = SmtpClient::Step;
    if (dynamic_cast<const SessionCancelledError *>(&error))
        return FailureVerdict::Stopped;
    // Checked before a word of the message goes out, whatever step the session was at.
    if (dynamic_cast<const UnsafeTextError *>(&error))
        return FailureVerdict::CardRefused;
    const bool opening = step == Step::Connect || step == Step::Login;
    // A certificate or handshake refused while opening refuses every session; a secure
    // connection cut later is a session lost like any other.
    if (dynamic_cast<const TlsError *>(&error))
        return opening ? FailureVerdict::StopRun : FailureVerdict::SessionLost;
    if (auto *reply = dynamic_cast<const ProtocolReplyError *>(&error)) {
        const int code = reply->replyCode();
        if (code == 421)
            return FailureVerdict::SessionLost;
        if (code >= 400 && code < 500)
            return opening ? FailureVerdict::SessionLost : FailureVerdict::TryLater;
        // A refused greeting, login or sender refuses every card alike.
        if (opening || step == Step::MailFrom)
            return FailureVerdict::StopRun;
        return FailureVerdict::CardRefused;
    }
    if (dynamic_cast<const SocketError *>(&error))
        return step == Step::Connect ? FailureVerdict::StopRun : FailureVerdict::SessionLost;
    if (dynamic_cast<const ConnectionClosedError *>(&error)
        || dynamic_cast<const ReplyLineTooLongError *>(&error)
        || dynamic_cast<const ReplyTooLargeError *>(&error))
        return FailureVerdict::SessionLost;
    // An address or value that cannot be sent, or a picture that cannot be read.
    return opening ? FailureVerdict::StopRun : FailureVerdict::CardRefused;
}
