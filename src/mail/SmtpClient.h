#pragma once

#include "MailMessage.h"
#include "TcpConnection.h"

#include <QString>
#include <QStringList>

#include <functional>

// How the connection to the server is protected.
//   None         plain SMTP, no authentication ever (credentials never travel unencrypted)
//   StartTls     plain connect, then STARTTLS after EHLO (RFC 3207), then EHLO again
//   ImplicitTls  TLS from the first byte (RFC 8314, usually port 465)
enum class SmtpSecurity { None, StartTls, ImplicitTls };

// What an EHLO reply announces, from the lines after the first.
struct EhloCapabilities
{
    bool startTls = false;
    QStringList authSchemes;   // as SmtpClient::parseAuthSchemes finds them
};

// The SMTP client of one card's dialogue.
//   connect()      TCP connect (TLS at once with ImplicitTls), greeting 220, "ehlo <domain>"
//                  (any reply; on 250 the announced capabilities are noted), otherwise
//                  "Helo <domain>" which must get 250. With StartTls: "STARTTLS" 220, the TLS
//                  handshake, and the EHLO again; a server that does not announce STARTTLS
//                  fails with TlsError. <domain> is ehloDomain() of the machine. A failure
//                  writes "Quit" (unless cancelled), closes and passes the failure on.
//   sendEnvelope() "Rset" (any reply), authentication (below), "Mail from:<a>" 250,
//                  "RCPT to:<a>" 250 for each To, Cc and Bcc address, "Data" 354, then the
//                  caller writes the message text, then "." 250. An address holding CR, LF or
//                  NUL fails with UnsafeTextError before anything is written.
//   send(message)  sendEnvelope with the message's sender and its To, Cc and Bcc addresses;
//                  the message text is writeMessage()'s, with "X-Mailer" set to mailAgent.
//                  A message that is not safe to send (CR, LF or NUL in a header value) fails
//                  before anything is written.
//   writeMessage(message)
//                  the message text that follows "Data" (without the final "."), as
//                  MessageWriter writes it, onto the connection. Failures throw MailError: a
//                  missing attachment "Cannot open file %s", "Cannot create file %s" for the
//                  temporary file, "Invalid Text count. TextPart must be greater than 1",
//                  UnsafeTextError for a value holding CR, LF or NUL (checked before anything
//                  is written), or the connection's own errors.
//   disconnect()   "Quit" without reading a reply while connected, then closes the socket.
class SmtpClient : public TcpConnection
{
public:
    // PlainOrLogin: over TLS only, PLAIN when announced, else LOGIN; neither announced
    // fails before the envelope is sent. Credentials never travel without TLS.
    enum class Authentication { None, PlainOrLogin };

    // Connected: greeting received and EHLO or HELO accepted. Sending: between "Data" and
    // the reply to ".". Any failure leaves the state as it was until disconnect().
    enum class State { NotConnected, Connected, Sending };

    // The step of the dialogue in progress, or of the last one when the dialogue stopped.
    enum class Step { Connect, Login, Reset, MailFrom, Recipient, Data, MessageText, EndOfData, Done };

    struct Envelope
    {
        QString sender;
        QStringList to;
        QStringList cc;
        QStringList bcc;
    };

    SmtpClient();

    Authentication authentication = Authentication::None;
    QString mailAgent;   // the "X-Mailer" header; empty: none
    // Called once the recipients are accepted, just before "Data": the last moment at which
    // the message has certainly not arrived. What it throws ends the send there, as a failure
    // of the send.
    std::function<void()> beforeData;
    QString userName;
    QString password;
    SmtpSecurity security = SmtpSecurity::None;

    void connect() override;
    void disconnect() override;
    void send(MailMessage &message);
    void sendEnvelope(const Envelope &envelope, const std::function<void()> &writeText);
    void writeMessage(MailMessage &message);
    bool authenticate();

    const QStringList &authSchemesSupported() const { return m_authSchemes; }
    bool authenticated() const { return m_authenticated; }
    State state() const { return m_state; }
    Step step() const { return m_step; }
    // After a send that failed: true when the whole message and its "." went out and no reply
    // refused it, so the server may have kept the message (SMTP cannot tell; RFC 1047).
    bool messageMayHaveArrived() const { return m_mayHaveArrived; }

    // The scheme names of the AUTH lines ("250-AUTH LOGIN PLAIN", "250-AUTH=LOGIN") of an
    // EHLO reply, in order, each once; the first line (the server's greeting) is skipped.
    static QStringList parseAuthSchemes(const QStringList &ehloReply);

    // STARTTLS and the AUTH schemes of an EHLO reply (the first line is the greeting).
    static EhloCapabilities parseEhloCapabilities(const QStringList &ehloReply);

    // Throws UnsafeTextError when any of the envelope's addresses holds CR, LF or NUL.
    static void checkEnvelope(const Envelope &envelope);

private:
    // EHLO, or HELO when EHLO is refused; notes the capabilities.
    void greet(const QString &domain);
    void login();

    QStringList m_authSchemes;
    bool m_startTlsOffered = false;
    bool m_authenticated = false;
    bool m_mayHaveArrived = false;
    State m_state = State::NotConnected;
    Step m_step = Step::Connect;
};
