#pragma once

#include "AttachmentList.h"
#include "MailMessage.h"
#include "SmtpClient.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// What the mail component owns and creates first, so its fields can refer into the message.
struct MailerParts
{
    std::unique_ptr<MailMessage> m_message = std::make_unique<MailMessage>();
    std::unique_ptr<SmtpClient> m_smtp = std::make_unique<SmtpClient>();
};

// The mail component: one flat set of fields and send(), which composes one message with the
// current field values and delivers it over SMTP. Every failure of a send is caught and
// handed to onSendError as text (a cancelled send is not reported); the connection is closed
// afterwards and send() returns.
// recipients, bccList and from are the message object's own: the message sees every change
// made through the component.
class MailError;

class Mailer : private MailerParts
{
public:
    using SendErrorEvent = std::function<void(Mailer *sender, const QString &error)>;
    using NotifyEvent = std::function<void(Mailer *sender)>;

    Mailer();
    ~Mailer();
    Mailer(const Mailer &) = delete;
    Mailer &operator=(const Mailer &) = delete;

    QString host;
    QString userName;
    EmailAddress &from;
    EmailAddressList &recipients;
    QStringList body;
    QString subject;
    QString password;
    quint16 port = 25;
    // None keeps the plain port-25 dialogue without authentication; with TLS a non-empty
    // userName authenticates (PLAIN, else LOGIN).
    SmtpSecurity security = SmtpSecurity::None;
    bool html = true;   // the body is sent as "text/HTML", else as "text/plain"
    SendErrorEvent onSendError;
    AttachmentList attachments;
    EmailAddressList &bccList;
    NotifyEvent onDisconnected;
    NotifyEvent onConnected;

    void send();

    // One session for many messages, as mail clients send a run of cards:
    //   openSession()    connects (TLS as security says) and logs in once when userName is set
    //   sendInSession()  composes the message from the current fields exactly as send() does
    //                    and delivers it in the open session ("Rset" before it)
    //   closeSession()   "Quit" and close; harmless when no session is open
    // They throw MailError (onSendError is not called); after a failure the caller closes the
    // session. smtp().step() tells which step of the dialogue a failure came from.
    void openSession();
    void sendInSession();
    void closeSession();
    // Ends a send running on another thread at once: the connection is closed, nothing more
    // is written and onSendError is not called. Stays in force until clearCancel().
    void cancel() { m_smtp->cancel(); }
    void clearCancel() { m_smtp->clearCancel(); }

    MailMessage &message() { return *m_message; }
    // A failure of this mailer's dialogue as the operator reads it (mailFailureText()): the
    // server's host and port, the step it failed at, no Winsock number.
    QString failureText(const MailError &error) const;
    // The operator's text of the failure that send() last handed to onSendError; empty after
    // a send that went out.
    QString lastFailureText() const { return m_lastFailure; }

    // The Message-ID of the message last composed ("<...@domain>").
    QString messageId() const { return m_message->messageId; }
    SmtpClient &smtp() { return *m_smtp; }

    // Throws UnsafeTextError when the sender, a recipient, a Bcc address or the subject holds
    // CR, LF or NUL, so such a send stops before any connection is made.
    void checkSafeToSend() const;

private:
    void composeMessage();
    QString m_lastFailure;
    // host, port, security and login of the next connection.
    void prepareClient();
};
