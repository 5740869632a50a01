#include "Mailer.h"

#include "MailFailureText.h"

#include "AttachmentPart.h"
#include "SocketLayer.h"

namespace {

void requireSafe(const QString &what, const QString &value)
{
    for (QChar c : value)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0)
            throw UnsafeTextError(what, value);
}

void requireSafe(const QString &what, const EmailAddress &item)
{
    requireSafe(what, item.address);
    requireSafe(what + QStringLiteral(" name"), item.name);
}

} // namespace

Mailer::Mailer()
    : from(m_message->from)
    , recipients(m_message->recipients)
    , bccList(m_message->bccList)
{
    // The connection gathers its writes into whole blocks, so Nagle's algorithm has nothing
    // left to join and only adds delayed-acknowledgement stalls (40 ms after a TLS handshake).
    m_smtp->useNagle = false;
    m_smtp->onConnected = [this] {
        if (onConnected)
            onConnected(this);
    };
    m_smtp->onDisconnected = [this] {
        if (onDisconnected)
            onDisconnected(this);
    };
}

Mailer::~Mailer() = default;

void Mailer::checkSafeToSend() const
{
    requireSafe(QStringLiteral("sender address"), from);
    for (const EmailAddress &item : recipients)
        requireSafe(QStringLiteral("recipient address"), item);
    for (const EmailAddress &item : bccList)
        requireSafe(QStringLiteral("Bcc address"), item);
    requireSafe(QStringLiteral("subject"), subject);
}

void Mailer::composeMessage()
{
    m_message->parts.clear();
    for (const QString &fileName : attachments.attachedFiles())
        m_message->parts.addAttachment(fileName);
    m_message->body = body;
    m_message->subject = subject;
    m_message->contentType = html ? QStringLiteral("text/HTML") : QStringLiteral("text/plain");
    // Chosen here rather than while the header is written, so the caller can keep the id of
    // the message it sent (the sent journal records it).
    m_message->messageId = MailMessage::newMessageId(from.address, localHostName());
}

void Mailer::prepareClient()
{
    m_smtp->userName = userName;
    m_smtp->password = password;
    m_smtp->host = host;
    m_smtp->port = port;
    m_smtp->security = security;
    m_smtp->authentication = security != SmtpSecurity::None && !userName.isEmpty()
                                 ? SmtpClient::Authentication::PlainOrLogin
                                 : SmtpClient::Authentication::None;
}

void Mailer::openSession()
{
    prepareClient();
    m_smtp->connect();
    // Logging in at once, not with the first message, so that a refused login is told apart
    // from a refused card.
    try {
        m_smtp->authenticate();
    } catch (...) {
        try {
            m_smtp->disconnect();
        } catch (...) {
            // The login's failure is the one the operator needs to read.
        }
        throw;
    }
}

void Mailer::sendInSession()
{
    checkSafeToSend();
    composeMessage();
    m_message->checkSafeToSend();
    m_smtp->send(*m_message);
}

void Mailer::closeSession()
{
    m_smtp->disconnect();
}

QString Mailer::failureText(const MailError &error) const
{
    return mailFailureText(error, host, port, m_smtp->step());
}

void Mailer::send()
{
    QString error;
    m_lastFailure.clear();
    try {
        checkSafeToSend();
        composeMessage();
        m_message->checkSafeToSend();
        prepareClient();
        m_smtp->connect();
        m_smtp->send(*m_message);
        m_smtp->disconnect();
        return;
    } catch (const MailError &e) {
        error = e.text();
        m_lastFailure = failureText(e);
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
        m_lastFailure = error;
    }
    try {
        if (onSendError && !m_smtp->cancelled())
            onSendError(this, error);
    } catch (...) {
        m_smtp->disconnect();
        throw;
    }
    m_smtp->disconnect();
}
