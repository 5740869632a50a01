#include "MailFailureText.h"

#include "MailErrors.h"
#include "SocketLayer.h"

#include <cstring>

namespace {

// What was going on at step, to follow "during" or "while".
QString stepPhrase(SmtpClient::Step step)
{
    using Step = SmtpClient::Step;
    switch (step) {
    case Step::Connect: return QStringLiteral("while connecting");
    case Step::Login: return QStringLiteral("during login");
    case Step::Reset:
    case Step::MailFrom:
    case Step::Recipient: return QStringLiteral("while giving the sender and recipients");
    case Step::Data:
    case Step::MessageText: return QStringLiteral("while sending the message");
    case Step::EndOfData: return QStringLiteral("while waiting for the answer to the message");
    case Step::Done: return QStringLiteral("while closing");
    }
    return QString();
}

// The system's words for a socket error, without the Winsock number and the full stop.
QString socketProblem(int code)
{
    QString text = socketErrorDescription(code).trimmed();
    if (text.isEmpty())
        text = code > 0 ? QString::fromLocal8Bit(std::strerror(code)) : QStringLiteral("Network error");
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

} // namespace

QString mailFailureText(const MailError &error, const QString &host, quint16 port, SmtpClient::Step step)
{
    const QString place = QStringLiteral(" (%1:%2)").arg(host).arg(port);
    if (auto *socket = dynamic_cast<const SocketError *>(&error)) {
        const QString problem = socketProblem(socket->code());
        if (step == SmtpClient::Step::Connect)
            return problem + place;
        return problem + QLatin1Char(' ') + stepPhrase(step) + place;
    }
    if (dynamic_cast<const ConnectionClosedError *>(&error))
        return QStringLiteral("The server closed the connection ") + stepPhrase(step) + place;
    QString text = error.text();
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}
