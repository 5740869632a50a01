#include "MailMessage.h"

#include "SocketLayer.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include "MessageFailure.h"

namespace {

const QString kLibrary = QStringLiteral("Indy 8.0.22");

QString senderText(const EmailAddress &sender)
{
    if (!sender.name.isEmpty() && sender.name != sender.address.toUpper())
        return sender.name + QStringLiteral(" <") + sender.address + QLatin1Char('>');
    return sender.address;
}

void checkItem(const QString &what, const EmailAddress &item)
{
    requireSingleLine(what, item.address);
    requireSingleLine(what + QStringLiteral(" name"), item.name);
}

void checkList(const QString &what, const EmailAddressList &list)
{
    for (const EmailAddress &item : list)
        checkItem(what, item);
}

void checkHeaderLines(const QString &what, const HeaderList &list)
{
    for (const QString &line : list.lines())
        requireSingleLine(what, line);
}

void checkPart(const MessagePart &part)
{
    checkHeaderLines(QStringLiteral("part header"), part.headers);
    checkHeaderLines(QStringLiteral("part header"), part.extraHeaders);
    if (auto attachment = dynamic_cast<const AttachmentPart *>(&part))
        requireSingleLine(QStringLiteral("attachment file name"), attachment->fileName);
}

} // namespace

MailMessage::MailMessage()
{
    clearHeader();
}

void MailMessage::setUseNowForDate(bool useNow)
{
    if (useNow)
        date = QDateTime();
}

void MailMessage::clearHeader()
{
    messageId.clear();
    ccList.clear();
    bccList.clear();
    recipients.clear();
    replyTo.clear();
    charSet.clear();
    contentType.clear();
    contentTransferEncoding.clear();
    date = QDateTime();
    extraHeaders.clear();
    from = EmailAddress();
    newsGroups.clear();
    organization.clear();
    priority = MessagePriority::Normal;
    subject.clear();
    receiptRecipient = EmailAddress();
    references.clear();
    sender = EmailAddress();
}

QString MailMessage::boundary() const
{
    if (parts.relatedAttachmentCount() > 0)
        return MessageBoundary::Related;
    return MessageBoundary::Mixed;
}

void MailMessage::settleContentType()
{
    if (parts.relatedAttachmentCount() > 0) {
        contentType = QStringLiteral("multipart/related; type=\"multipart/alternative\"; boundary=\"%1\"")
                          .arg(MessageBoundary::Related);
    } else if (parts.attachmentCount() > 0) {
        contentType = QStringLiteral("multipart/mixed; boundary=\"%1\"").arg(MessageBoundary::Mixed);
    } else if (parts.textPartCount() > 0) {
        contentType = QStringLiteral("multipart/alternative; boundary=\"%1\"").arg(MessageBoundary::Mixed);
    }
    contentType = contentType.isEmpty() ? charSet : contentType + QLatin1Char(';') + charSet;
    if (parts.textPartCount() == 1)
        failMessage(QStringLiteral("Invalid Text count. TIdText must be greater than 1"));
}

void MailMessage::checkSafeToSend() const
{
    checkItem(QStringLiteral("sender address"), from);
    requireSingleLine(QStringLiteral("subject"), subject);
    checkList(QStringLiteral("recipient address"), recipients);
    checkList(QStringLiteral("Cc address"), ccList);
    checkList(QStringLiteral("Bcc address"), bccList);
    for (const QString &group : newsGroups)
        requireSingleLine(QStringLiteral("newsgroup"), group);
    requireSingleLine(QStringLiteral("content type"), contentType);
    requireSingleLine(QStringLiteral("character set"), charSet);
    requireSingleLine(QStringLiteral("transfer encoding"), contentTransferEncoding);
    checkItem(QStringLiteral("Sender address"), sender);
    checkList(QStringLiteral("reply-to address"), replyTo);
    requireSingleLine(QStringLiteral("organization"), organization);
    checkItem(QStringLiteral("receipt address"), receiptRecipient);
    requireSingleLine(QStringLiteral("references"), references);
    requireSingleLine(QStringLiteral("message id"), messageId);
    checkHeaderLines(QStringLiteral("extra header"), extraHeaders);
    for (int i = 0; i < parts.count(); ++i)
        checkPart(parts[i]);
}

HeaderList MailMessage::generateHeader() const
{
    checkSafeToSend();
    const HeaderCharset charset = headerCharsetFor(headerLocale);
    HeaderList h;
    h.setValue(QStringLiteral("From"), from.text(charset));
    h.setValue(QStringLiteral("Subject"), encodeHeader(subject, charset));
    h.setValue(QStringLiteral("To"), recipients.emailAddresses(charset));
    h.setValue(QStringLiteral("Cc"), ccList.emailAddresses(charset));
    h.setValue(QStringLiteral("Newsgroups"), newsGroups.join(QLatin1Char(',')));
    h.setValue(QStringLiteral("Content-Type"), contentType);
    if (parts.count() > 0)
        h.setValue(QStringLiteral("MIME-Version"), QStringLiteral("1.0"));
    h.setValue(QStringLiteral("Content-Transfer-Encoding"), contentTransferEncoding);
    h.setValue(QStringLiteral("Sender"), senderText(sender));
    h.setValue(QStringLiteral("Reply-To"), replyTo.emailAddresses(charset));
    h.setValue(QStringLiteral("Organization"), encodeHeader(organization, charset));
    h.setValue(QStringLiteral("Disposition-Notification-To"), receiptRecipient.text(charset));
    h.setValue(QStringLiteral("References"), references);
    h.setValue(QStringLiteral("Date"), mailDateLine(usesNowForDate() ? clock() : date));
    h.setValue(QStringLiteral("X-Priority"), QString::number(int(priority) + 1));
    h.setValue(QStringLiteral("X-Library"), kLibrary);
    h.setValue(QStringLiteral("Message-ID"),
               messageId.isEmpty() ? newMessageId(from.address, localHostName()) : messageId);
    for (const QString &line : extraHeaders.lines())
        h.add(line);
    return h;
}

QString MailMessage::newMessageId(const QString &senderAddress, const QString &fallbackDomain)
{
    const QString domain = senderAddress.section(QLatin1Char('@'), 1);
    static const QRegularExpression dotAtom(QStringLiteral("^[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+(\\.[A-Za-z0-9!#$%&'*+/=?^_`{|}~-]+)*$"));
    const QString right = dotAtom.match(domain).hasMatch() ? domain
                          : dotAtom.match(fallbackDomain).hasMatch() ? fallbackDomain
                                                                       : QStringLiteral("localhost");
    const quint64 random = QRandomGenerator::system()->generate64();
    return QStringLiteral("<%1.%2@%3>")
        .arg(QDateTime::currentMSecsSinceEpoch(), 0, 36)
        .arg(random, 0, 36)
        .arg(right);
}

QString mailDateLine(const QDateTime &localTime)
{
    static const char *const days[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static const char *const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    if (!localTime.isValid())
        failMessage(QStringLiteral("Failed attempting to retrieve time zone information."));
    const QDate date = localTime.date();
    const int offsetMinutes = localTime.offsetFromUtc() / 60;
    const int magnitude = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    const QString zone = QStringLiteral("%1%2%3")
                             .arg(offsetMinutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                             .arg(magnitude / 60, 2, 10, QLatin1Char('0'))
                             .arg(magnitude % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1, %2 %3 %4 %5 %6")
        .arg(QLatin1String(days[date.dayOfWeek() - 1]))
        .arg(date.day())
        .arg(QLatin1String(months[date.month() - 1]))
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(localTime.time().toString(QStringLiteral("HH:mm:ss")), zone);
}
