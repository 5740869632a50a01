#pragma once

#include "HeaderCoding.h"
#include "AttachmentPart.h"
#include "EmailAddress.h"
#include "HeaderList.h"
#include "MessagePart.h"
#include "TextPart.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <functional>

// Written as "X-Priority" 1 (Highest) to 5 (Lowest).
enum class MessagePriority { Highest, High, Normal, Low, Lowest };

// The boundaries and multipart types chosen from a message's parts.
namespace MessageBoundary {
inline const QString Mixed = QStringLiteral("=_NextPart_2rfkindysadvnqw3nerasdf");
inline const QString Related = QStringLiteral("=_NextPart_2relrfksadvnqindyw3nerasdf");
inline const QString Alternative = QStringLiteral("=_NextPart_2altrfkindysadvnqw3nerasdf");
}

// One Internet message (RFC 822 headers, MIME parts). MessageWriter writes it.
class MailMessage
{
public:
    MailMessage();
    MailMessage(const MailMessage &) = delete;
    MailMessage &operator=(const MailMessage &) = delete;

    EmailAddressList bccList;
    QStringList body;
    QString charSet;
    EmailAddressList ccList;
    QString contentType;
    QString contentTransferEncoding;
    QDateTime date;   // null: the current time is used
    HeaderList extraHeaders;
    EmailAddress from;
    MessagePartList parts{this};
    QStringList newsGroups;
    QString organization;
    MessagePriority priority = MessagePriority::Normal;
    QString subject;
    EmailAddress receiptRecipient;
    EmailAddressList recipients;
    QString references;
    EmailAddressList replyTo;
    EmailAddress sender;

    // The locale whose language picks the character set of encoded words.
    QLocale headerLocale = QLocale::system();
    // The local time used for the "Date" header when date is null.
    std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };
    // The "Message-ID" value; a new unique one for each generated header unless set.
    QString messageId;

    bool usesNowForDate() const { return date.isNull(); }
    void setUseNowForDate(bool useNow);

    // Empties every header field and resets priority to Normal; parts and body stay.
    void clearHeader();

    // Replaces contentType by the multipart type the parts call for and appends ";" and
    // charSet. Throws "Invalid Text count. TIdText must be greater than 1" for exactly one
    // text part.
    void settleContentType();

    // The header block: From, Subject, To, Cc, Newsgroups, Content-Type, MIME-Version,
    // Content-Transfer-Encoding, Sender, Reply-To, Organization, Disposition-Notification-To,
    // References, Date, X-Priority, X-Library, then extraHeaders; empty values left out.
    HeaderList generateHeader() const;

    // A new unique message id (RFC 5322 3.6.4): random and time digits at the sender's
    // domain, or at fallbackDomain when the sender has no usable one.
    static QString newMessageId(const QString &senderAddress, const QString &fallbackDomain);

    // Throws UnsafeTextError when a header value, part header or file name taken from the
    // caller holds CR, LF or NUL. Called before anything of the message is written.
    void checkSafeToSend() const;

    // The boundary of the outer multipart layout.
    QString boundary() const;
};

// "Sun, 7 Dec 2026 23:49:32 +0100": the given local time with its offset from UTC. Throws
// "Failed attempting to retrieve time zone information." for an invalid time.
QString mailDateLine(const QDateTime &localTime);
