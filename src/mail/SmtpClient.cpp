#include "SmtpClient.h"

#include "MessageWriter.h"

namespace {

bool holdsLineBreakOrNul(const QString &text)
{
    for (QChar c : text)
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c.unicode() == 0)
            return true;
    return false;
}

void checkAddresses(const QString &what, const QStringList &addresses)
{
    for (const QString &address : addresses)
        if (holdsLineBreakOrNul(address))
            throw UnsafeTextError(what, address);
}

QStringList addressesOf(const EmailAddressList &list)
{
    QStringList addresses;
    for (const EmailAddress &item : list)
        addresses.append(item.address);
    return addresses;
}

// Hands the message writer's lines and streams to the connection.
class ConnectionSink : public MessageSink
{
public:
    explicit ConnectionSink(TcpConnection &connection) : m_connection(connection) {}
    void writeLine(const QByteArray &line) override { m_connection.write(line + QByteArrayLiteral("\r\n")); }
    void writeStream(QIODevice &stream) override { m_connection.writeStream(stream, false); }

private:
    TcpConnection &m_connection;
};

} // namespace

SmtpClient::SmtpClient()
{
    port = 25;
}

QStringList SmtpClient::parseAuthSchemes(const QStringList &ehloReply)
{
    QStringList schemes;
    for (int i = 1; i < ehloReply.size(); ++i) {
        const QString line = ehloReply.at(i).toUpper();
        if (line.size() < 9 || line.mid(4, 4) != QLatin1String("AUTH"))
            continue;
        if (line.at(8) != QLatin1Char(' ') && line.at(8) != QLatin1Char('='))
            continue;
        QString rest = line.mid(9);
        rest.replace(QLatin1Char('='), QLatin1Char(' '));
        for (const QString &piece : rest.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            if (!schemes.contains(piece))
                schemes.append(piece);
    }
    return schemes;
}

EhloCapabilities SmtpClient::parseEhloCapabilities(const QStringList &ehloReply)
{
    EhloCapabilities caps;
    for (int i = 1; i < ehloReply.size(); ++i) {
        const QString keyword = ehloReply.at(i).mid(4).section(QLatin1Char(' '), 0, 0);
        if (keyword.compare(QLatin1String("STARTTLS"), Qt::CaseInsensitive) == 0)
            caps.startTls = true;
    }
    caps.authSchemes = parseAuthSchemes(ehloReply);
    return caps;
}

void SmtpClient::checkEnvelope(const Envelope &envelope)
{
    checkAddresses(QStringLiteral("sender address"), {envelope.sender});
    checkAddresses(QStringLiteral("recipient address"), envelope.to);
    checkAddresses(QStringLiteral("Cc address"), envelope.cc);
    checkAddresses(QStringLiteral("Bcc address"), envelope.bcc);
}

void SmtpClient::connect()
{
    m_step = Step::Connect;
    TcpConnection::connect();
    try {
        if (security == SmtpSecurity::ImplicitTls)
            startTls(host);
        readReply({220});
        const QString domain = ehloDomain(localHostName(), localAddress());
        greet(domain);
        if (security == SmtpSecurity::StartTls) {
            if (!m_startTlsOffered)
                throw TlsError(QStringLiteral("The server does not offer STARTTLS; nothing was sent."));
            sendCommand(QStringLiteral("STARTTLS"), {220});
            startTls(host);
            greet(domain);
        }
        m_state = State::Connected;
    } catch (...) {
        try {
            disconnect();
        } catch (...) {
            // The first failure is the one the operator needs to read.
        }
        throw;
    }
}

void SmtpClient::greet(const QString &domain)
{
    m_authSchemes.clear();
    m_startTlsOffered = false;
    if (sendCommand(QStringLiteral("ehlo ") + domain) == 250) {
        const EhloCapabilities caps = parseEhloCapabilities(replyLines());
        m_authSchemes = caps.authSchemes;
        m_startTlsOffered = caps.startTls;
    } else {
        sendCommand(QStringLiteral("Helo ") + domain, {250});
    }
}

void SmtpClient::disconnect()
{
    try {
        // A cancelled session ends at once, without another word to the server.
        if (!cancelled() && connected()) {
            writeLine(QStringLiteral("Quit"));
            flush();
        }
    } catch (...) {
        closeSocket();
        m_authenticated = false;
        m_state = State::NotConnected;
        throw;
    }
    TcpConnection::disconnect();
    m_authenticated = false;
    m_state = State::NotConnected;
}

bool SmtpClient::authenticate()
{
    m_step = Step::Login;
    const bool plain = m_authSchemes.contains(QLatin1String("PLAIN"));
    const bool loginOffered = m_authSchemes.contains(QLatin1String("LOGIN"));
    if (authentication == Authentication::PlainOrLogin) {
        if (!tlsActive())
            throw TlsError(QStringLiteral("The user name and password are only sent over a secure connection; nothing was sent."));
        if (plain) {
            const QByteArray credentials = '\0' + userName.toUtf8() + '\0' + password.toUtf8();
            sendCommand(QStringLiteral("AUTH PLAIN ") + QString::fromLatin1(credentials.toBase64()), {235});
        } else if (loginOffered) {
            login();
        } else {
            throw MailError(QStringLiteral("The server offers neither AUTH PLAIN nor AUTH LOGIN; nothing was sent."));
        }
    } else {
        return false;
    }
    m_authenticated = true;
    return true;
}

void SmtpClient::login()
{
    sendCommand(QStringLiteral("auth LOGIN"), {334});
    sendCommand(QString::fromLatin1(userName.toUtf8().toBase64()), {334});
    sendCommand(QString::fromLatin1(password.toUtf8().toBase64()), {235});
}

void SmtpClient::send(MailMessage &message)
{
    const Envelope envelope{message.from.address, addressesOf(message.recipients),
                            addressesOf(message.ccList), addressesOf(message.bccList)};
    checkEnvelope(envelope);
    message.extraHeaders.setValue(QStringLiteral("X-Mailer"), mailAgent);
    message.checkSafeToSend();
    sendEnvelope(envelope, [&] { writeMessage(message); });
}

void SmtpClient::writeMessage(MailMessage &message)
{
    ConnectionSink sink(*this);
    MessageWriter(sink).writeMessage(message);
}

void SmtpClient::sendEnvelope(const Envelope &envelope, const std::function<void()> &writeText)
{
    checkEnvelope(envelope);
    m_mayHaveArrived = false;
    m_step = Step::Reset;
    sendCommand(QStringLiteral("Rset"));
    if (!m_authenticated)
        authenticate();
    m_step = Step::MailFrom;
    sendCommand(QStringLiteral("Mail from:<") + envelope.sender + QLatin1Char('>'), {250});
    m_step = Step::Recipient;
    for (const QStringList *list : {&envelope.to, &envelope.cc, &envelope.bcc})
        for (const QString &address : *list)
            sendCommand(QStringLiteral("RCPT to:<") + address + QLatin1Char('>'), {250});
    m_step = Step::Data;
    if (beforeData)
        beforeData();
    sendCommand(QStringLiteral("Data"), {354});
    m_state = State::Sending;
    m_step = Step::MessageText;
    writeText();
    m_step = Step::EndOfData;
    m_mayHaveArrived = true;
    try {
        sendCommand(QStringLiteral("."), {250});
    } catch (const ProtocolReplyError &) {
        m_mayHaveArrived = false;
        throw;
    }
    m_mayHaveArrived = false;
    m_state = State::Connected;
    m_step = Step::Done;
}
