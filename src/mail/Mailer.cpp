#include "Mailer.h"

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
    requireSafe(what, item.Address);
    requireSafe(what + QStringLiteral(" name"), item.Name);
}

} // namespace

Mailer::Mailer()
    : From(m_message->From)
    , Recipients(m_message->Recipients)
    , BCCList(m_message->BccList)
{
    // The connection gathers its writes into whole blocks, so Nagle's algorithm has nothing
    // left to join and only adds delayed-acknowledgement stalls (40 ms after a TLS handshake).
    m_smtp->UseNagle = false;
    m_smtp->onConnected = [this] {
        if (OnConnected)
            OnConnected(this);
    };
    m_smtp->onDisconnected = [this] {
        if (OnDisconnected)
            OnDisconnected(this);
    };
}

Mailer::~Mailer() = default;

void Mailer::checkSafeToSend() const
{
    requireSafe(QStringLiteral("sender address"), From);
    for (const EmailAddress &item : Recipients)
        requireSafe(QStringLiteral("recipient address"), item);
    for (const EmailAddress &item : BCCList)
        requireSafe(QStringLiteral("Bcc address"), item);
    requireSafe(QStringLiteral("subject"), Subject);
}

void Mailer::composeMessage()
{
    m_message->MessageParts.clear();
    for (const QString &fileName : Attachments.AttachedFiles())
        m_message->MessageParts.addAttachment(fileName);
    m_message->Body = Body;
    m_message->Subject = Subject;
    m_message->ContentType = HTML ? QStringLiteral("text/HTML") : QStringLiteral("text/plain");
    // Chosen here rather than while the header is written, so the caller can keep the id of
    // the message it sent (the sent journal records it).
    m_message->MessageId = MailMessage::newMessageId(From.Address, localHostName());
}

void Mailer::prepareClient()
{
    m_smtp->UserId = UserId;
    m_smtp->Password = Password;
    m_smtp->Host = Host;
    m_smtp->Port = Port;
    m_smtp->Security = Security;
    m_smtp->AuthenticationType = Security != SmtpSecurity::None && !UserId.isEmpty()
                                     ? SmtpClient::atPlainOrLogin
                                     : SmtpClient::atNone;
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

void Mailer::send()
{
    QString error;
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
    } catch (const std::exception &e) {
        error = QString::fromLocal8Bit(e.what());
    }
    try {
        if (OnSendError && !m_smtp->cancelled())
            OnSendError(this, error);
    } catch (...) {
        m_smtp->disconnect();
        throw;
    }
    m_smtp->disconnect();
}
