#include "MailMessage.h"

#include "SocketLayer.h"

#include <QRandomGenerator>
#include <QRegularExpression>

#include "MessageFailure.h"

namespace {

const QString kLibrary = QStringLiteral("Indy 8.0.22");

QString senderText(const EmailAddress &sender)
{
    if (!sender.Name.isEmpty() && sender.Name != sender.Address.toUpper())
        return sender.Name + QStringLiteral(" <") + sender.Address + QLatin1Char('>');
    return sender.Address;
}

void checkItem(const QString &what, const EmailAddress &item)
{
    requireSingleLine(what, item.Address);
    requireSingleLine(what + QStringLiteral(" name"), item.Name);
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
    checkHeaderLines(QStringLiteral("part header"), part.Headers);
    checkHeaderLines(QStringLiteral("part header"), part.ExtraHeaders);
    if (auto attachment = dynamic_cast<const AttachmentPart *>(&part))
        requireSingleLine(QStringLiteral("attachment file name"), attachment->FileName);
}

} // namespace

MailMessage::MailMessage()
{
    ClearHeader();
}

void MailMessage::setUseNowForDate(bool useNow)
{
    if (useNow)
        Date = QDateTime();
}

void MailMessage::ClearHeader()
{
    MessageId.clear();
    CCList.clear();
    BccList.clear();
    Recipients.clear();
    ReplyTo.clear();
    CharSet.clear();
    ContentType.clear();
    ContentTransferEncoding.clear();
    Date = QDateTime();
    ExtraHeaders.clear();
    From = EmailAddress();
    Headers.clear();
    MsgId.clear();
    NewsGroups.clear();
    Organization.clear();
    Priority = mpNormal;
    Subject.clear();
    ReceiptRecipient = EmailAddress();
    References.clear();
    Sender = EmailAddress();
}

QString MailMessage::boundary() const
{
    if (MessageParts.relatedAttachmentCount() > 0)
        return MessageBoundary::Related;
    return MessageBoundary::Mixed;
}

void MailMessage::settleContentType()
{
    if (MessageParts.relatedAttachmentCount() > 0) {
        ContentType = QStringLiteral("multipart/related; type=\"multipart/alternative\"; boundary=\"%1\"")
                          .arg(MessageBoundary::Related);
    } else if (MessageParts.attachmentCount() > 0) {
        ContentType = QStringLiteral("multipart/mixed; boundary=\"%1\"").arg(MessageBoundary::Mixed);
    } else if (MessageParts.textPartCount() > 0) {
        ContentType = QStringLiteral("multipart/alternative; boundary=\"%1\"").arg(MessageBoundary::Mixed);
    }
    ContentType = ContentType.isEmpty() ? CharSet : ContentType + QLatin1Char(';') + CharSet;
    if (MessageParts.textPartCount() == 1)
        failMessage(QStringLiteral("Invalid Text count. TIdText must be greater than 1"));
}

void MailMessage::checkSafeToSend() const
{
    checkItem(QStringLiteral("sender address"), From);
    requireSingleLine(QStringLiteral("subject"), Subject);
    checkList(QStringLiteral("recipient address"), Recipients);
    checkList(QStringLiteral("Cc address"), CCList);
    checkList(QStringLiteral("Bcc address"), BccList);
    for (const QString &group : NewsGroups)
        requireSingleLine(QStringLiteral("newsgroup"), group);
    requireSingleLine(QStringLiteral("content type"), ContentType);
    requireSingleLine(QStringLiteral("character set"), CharSet);
    requireSingleLine(QStringLiteral("transfer encoding"), ContentTransferEncoding);
    checkItem(QStringLiteral("Sender address"), Sender);
    checkList(QStringLiteral("reply-to address"), ReplyTo);
    requireSingleLine(QStringLiteral("organization"), Organization);
    checkItem(QStringLiteral("receipt address"), ReceiptRecipient);
    requireSingleLine(QStringLiteral("references"), References);
    requireSingleLine(QStringLiteral("message id"), MessageId);
    checkHeaderLines(QStringLiteral("extra header"), ExtraHeaders);
    for (int i = 0; i < MessageParts.count(); ++i)
        checkPart(MessageParts[i]);
}

HeaderList MailMessage::GenerateHeader() const
{
    checkSafeToSend();
    const HeaderCharset charset = headerCharsetFor(HeaderLocale);
    HeaderList h;
    h.setValue(QStringLiteral("From"), From.text(charset));
    h.setValue(QStringLiteral("Subject"), encodeHeader(Subject, charset));
    h.setValue(QStringLiteral("To"), Recipients.emailAddresses(charset));
    h.setValue(QStringLiteral("Cc"), CCList.emailAddresses(charset));
    h.setValue(QStringLiteral("Newsgroups"), NewsGroups.join(QLatin1Char(',')));
    h.setValue(QStringLiteral("Content-Type"), ContentType);
    if (MessageParts.count() > 0)
        h.setValue(QStringLiteral("MIME-Version"), QStringLiteral("1.0"));
    h.setValue(QStringLiteral("Content-Transfer-Encoding"), ContentTransferEncoding);
    h.setValue(QStringLiteral("Sender"), senderText(Sender));
    h.setValue(QStringLiteral("Reply-To"), ReplyTo.emailAddresses(charset));
    h.setValue(QStringLiteral("Organization"), encodeHeader(Organization, charset));
    h.setValue(QStringLiteral("Disposition-Notification-To"), ReceiptRecipient.text(charset));
    h.setValue(QStringLiteral("References"), References);
    h.setValue(QStringLiteral("Date"), mailDateLine(UseNowForDate() ? Clock() : Date));
    h.setValue(QStringLiteral("X-Priority"), QString::number(int(Priority) + 1));
    h.setValue(QStringLiteral("X-Library"), kLibrary);
    h.setValue(QStringLiteral("Message-ID"),
               MessageId.isEmpty() ? newMessageId(From.Address, localHostName()) : MessageId);
    for (const QString &line : ExtraHeaders.lines())
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
