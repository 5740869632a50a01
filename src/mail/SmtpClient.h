#pragma once

#include "MessageClient.h"

#include <QString>
#include <QStringList>

#include <functional>

// The SMTP client of one card's dialogue.
//   connect()      TCP connect, greeting 220, "ehlo <host>" (any reply; on 250 the announced
//                  AUTH schemes are noted), otherwise "Helo <host>" which must get 250. A
//                  failure writes "Quit", closes and passes the failure on.
//   sendEnvelope() "Rset" (any reply), LOGIN when enabled and announced, "Mail from:<a>" 250,
//                  "RCPT to:<a>" 250 for each To, Cc and Bcc address, "Data" 354, then the
//                  caller writes the message text, then "." 250. An address holding CR, LF or
//                  NUL fails with UnsafeTextError before anything is written.
//   send(message)  sendEnvelope with the message's sender and its To, Cc and Bcc addresses;
//                  the message text is the message writer's, with "X-Mailer" set to MailAgent.
//                  A message that is not safe to send (CR, LF or NUL in a header value) fails
//                  before anything is written.
//   disconnect()   "Quit" without reading a reply while connected, then closes the socket.
class SmtpClient : public MessageClient
{
public:
    enum AuthenticationType { atNone, atLogin };

    // Connected: greeting received and EHLO or HELO accepted. Sending: between "Data" and
    // the reply to ".". Any failure leaves the state as it was until disconnect().
    enum class State { NotConnected, Connected, Sending };

    struct Envelope
    {
        QString sender;
        QStringList to;
        QStringList cc;
        QStringList bcc;
    };

    SmtpClient();

    AuthenticationType AuthenticationType = atNone;
    QString MailAgent;   // the "X-Mailer" header; empty: none
    QString UserId;
    QString Password;

    void connect() override;
    void disconnect() override;
    void send(MailMessage &message);
    void sendEnvelope(const Envelope &envelope, const std::function<void()> &writeMessage);
    bool authenticate();

    const QStringList &authSchemesSupported() const { return m_authSchemes; }
    bool authenticated() const { return m_authenticated; }
    State state() const { return m_state; }

    // The scheme names of the AUTH lines ("250-AUTH LOGIN PLAIN", "250-AUTH=LOGIN") of an
    // EHLO reply, in order, each once; the first line (the server's greeting) is skipped.
    static QStringList parseAuthSchemes(const QStringList &ehloReply);

    // Throws UnsafeTextError when any of the envelope's addresses holds CR, LF or NUL.
    static void checkEnvelope(const Envelope &envelope);

private:
    QStringList m_authSchemes;
    bool m_authenticated = false;
    State m_state = State::NotConnected;
};
