#pragma once

#include "TAttachement.h"
#include "TIdMessage.h"
#include "TIdSMTP.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

// What the mail component owns and creates first, so its fields can refer into the message.
struct TmMailerParts
{
    std::unique_ptr<TIdMessage> m_message = std::make_unique<TIdMessage>();
    std::unique_ptr<TIdSMTP> m_smtp = std::make_unique<TIdSMTP>();
};

// The mail component: one flat set of fields and send(), which composes one message with the
// current field values and delivers it over SMTP. Every failure of a send is caught and
// handed to OnSendError as text; the connection is closed afterwards and send() returns.
// Recipients, BCCList and From are the message object's own lists: the message sees every
// change made through the component.
class TmMailer : private TmMailerParts
{
public:
    using SendErrorEvent = std::function<void(TmMailer *sender, const QString &error)>;
    using NotifyEvent = std::function<void(TmMailer *sender)>;

    TmMailer();
    ~TmMailer();
    TmMailer(const TmMailer &) = delete;
    TmMailer &operator=(const TmMailer &) = delete;

    static QString About() { return QStringLiteral("TmMailer 1.0 - Kartello mail component"); }

    QString Host;
    QString UserId;
    TIdEMailAddressItem &From;
    TIdEMailAddressList &Recipients;
    QStringList Body;
    QString Subject;
    QString Password;
    bool HTML = true;
    TIdMessagePriority Priority = mpNormal;   // kept; the message keeps its own
    SendErrorEvent OnSendError;
    TAttachement Attachments{this};
    TIdEMailAddressList &BCCList;
    NotifyEvent OnDisconnected;
    NotifyEvent OnConnected;

    void send();

    TIdMessage &message() { return *m_message; }
    TIdSMTP &smtp() { return *m_smtp; }

    // Throws EIdUnsafeText when the sender, a recipient, a Bcc address or the subject holds
    // CR, LF or NUL, so such a send stops before any connection is made.
    void checkSafeToSend() const;

private:
    void composeMessage();
};
