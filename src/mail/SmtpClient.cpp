#include "SmtpClient.h"

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
        addresses.append(item.Address);
    return addresses;
}

} // namespace

SmtpClient::SmtpClient()
{
    Port = 25;
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

void SmtpClient::checkEnvelope(const Envelope &envelope)
{
    checkAddresses(QStringLiteral("sender address"), {envelope.sender});
    checkAddresses(QStringLiteral("recipient address"), envelope.to);
    checkAddresses(QStringLiteral("Cc address"), envelope.cc);
    checkAddresses(QStringLiteral("Bcc address"), envelope.bcc);
}

void SmtpClient::connect()
{
    TcpClient::connect();
    try {
        getResponse({220});
        m_authSchemes.clear();
        const QString host = localHostName();
        if (sendCmd(QStringLiteral("ehlo ") + host) == 250)
            m_authSchemes = parseAuthSchemes(replyLines());
        else
            sendCmd(QStringLiteral("Helo ") + host, {250});
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

void SmtpClient::disconnect()
{
    try {
        if (connected())
            writeLn(QStringLiteral("Quit"));
    } catch (...) {
        closeSocket();
        m_authenticated = false;
        m_state = State::NotConnected;
        throw;
    }
    TcpClient::disconnect();
    m_authenticated = false;
    m_state = State::NotConnected;
}

bool SmtpClient::authenticate()
{
    if (AuthenticationType != atLogin || !m_authSchemes.contains(QLatin1String("LOGIN")))
        return false;
    sendCmd(QStringLiteral("auth LOGIN"), {334});
    sendCmd(QString::fromLatin1(UserId.toUtf8().toBase64()), {334});
    sendCmd(QString::fromLatin1(Password.toUtf8().toBase64()), {235});
    m_authenticated = true;
    return true;
}

void SmtpClient::send(MailMessage &message)
{
    const Envelope envelope{message.From.Address, addressesOf(message.Recipients),
                            addressesOf(message.CCList), addressesOf(message.BccList)};
    checkEnvelope(envelope);
    message.ExtraHeaders.setValue(QStringLiteral("X-Mailer"), MailAgent);
    message.checkSafeToSend();
    sendEnvelope(envelope, [&] { SendMsg(message); });
}

void SmtpClient::sendEnvelope(const Envelope &envelope, const std::function<void()> &writeMessage)
{
    checkEnvelope(envelope);
    sendCmd(QStringLiteral("Rset"));
    if (!m_authenticated)
        authenticate();
    sendCmd(QStringLiteral("Mail from:<") + envelope.sender + QLatin1Char('>'), {250});
    for (const QStringList *list : {&envelope.to, &envelope.cc, &envelope.bcc})
        for (const QString &address : *list)
            sendCmd(QStringLiteral("RCPT to:<") + address + QLatin1Char('>'), {250});
    sendCmd(QStringLiteral("Data"), {354});
    m_state = State::Sending;
    writeMessage();
    sendCmd(QStringLiteral("."), {250});
    m_state = State::Connected;
}
