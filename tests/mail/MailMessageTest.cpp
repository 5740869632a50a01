#include "MailErrors.h"
#include "MailMessage.h"

#include <QTimeZone>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

QDateTime at(int offsetSeconds, QDate date = QDate(2026, 12, 7), QTime time = QTime(23, 49, 32))
{
    return QDateTime(date, time, QTimeZone(offsetSeconds));
}

void basics(MailMessage &m)
{
    m.clock = [] { return at(3600); };
    m.headerLocale = QLocale(QLocale::English, QLocale::UnitedStates);
    m.from.address = QStringLiteral("op@example.org");
    m.recipients.add(QStringLiteral("dx@example.net"));
    m.subject = QStringLiteral("QSL card attachment from op@example.org");
    m.messageId = QStringLiteral("<kq3.x7@example.org>");
}

TEST(MessageHeader, EveryHeaderInItsPlace)
{
    MailMessage m;
    basics(m);
    m.ccList.add(QStringLiteral("cc@example.net"), QStringLiteral("Club \"QSL\" Bureau"));
    m.ccList.add(QStringLiteral("two@example.net"));
    m.bccList.add(QStringLiteral("hidden@example.net"));
    m.newsGroups = QStringList{QStringLiteral("rec.radio"), QStringLiteral("alt.qsl")};
    m.contentType = QStringLiteral("text/plain");
    m.charSet = QStringLiteral("us-ascii");
    m.contentTransferEncoding = QStringLiteral("7bit");
    m.sender = EmailAddress(QStringLiteral("s@example.org"), QStringLiteral("Sam"));
    m.replyTo.add(QStringLiteral("r@example.org"));
    m.organization = QStringLiteral("DARC Köln");
    m.receiptRecipient.address = QStringLiteral("rr@example.org");
    m.references = QStringLiteral("<1@x>");
    m.priority = MessagePriority::Highest;
    m.extraHeaders.add(QStringLiteral("X-Mailer: Kartello"));
    m.parts.addAttachment(QStringLiteral("/x/K1ABC.jpg"));
    m.settleContentType();
    EXPECT_EQ(m.generateHeader().lines(),
              (QStringList{
                  QStringLiteral("From: op@example.org"),
                  QStringLiteral("Subject: QSL card attachment from op@example.org"),
                  QStringLiteral("To: dx@example.net"),
                  QStringLiteral("Cc: \"Club \\\"QSL\\\" Bureau\" <cc@example.net>, two@example.net"),
                  QStringLiteral("Newsgroups: rec.radio,alt.qsl"),
                  QStringLiteral("Content-Type: multipart/mixed;"),
                  QStringLiteral(" boundary=\"=_NextPart_2rfkindysadvnqw3nerasdf\";us-ascii"),
                  QStringLiteral("MIME-Version: 1.0"),
                  QStringLiteral("Content-Transfer-Encoding: 7bit"),
                  QStringLiteral("Sender: Sam <s@example.org>"),
                  QStringLiteral("Reply-To: r@example.org"),
                  QStringLiteral("Organization: DARC =?ISO-8859-1?Q?K=F6ln?="),
                  QStringLiteral("Disposition-Notification-To: rr@example.org"),
                  QStringLiteral("References: <1@x>"),
                  QStringLiteral("Date: Mon, 7 Dec 2026 23:49:32 +0100"),
                  QStringLiteral("X-Priority: 1"),
                  QStringLiteral("X-Library: Indy 8.0.22"),
                  QStringLiteral("Message-ID: <kq3.x7@example.org>"),
                  QStringLiteral("X-Mailer: Kartello"),
              }));
}

struct PartsRow
{
    const char *what;
    int attachments;
    bool contentId;
    int texts;
    QString charSet;
    QString expected;
};

void PrintTo(const PartsRow &row, std::ostream *os) { *os << row.what; }

class ContentTypeChoice : public ::testing::TestWithParam<PartsRow>
{
};

TEST_P(ContentTypeChoice, FollowsTheParts)
{
    const PartsRow &row = GetParam();
    MailMessage m;
    m.contentType = QStringLiteral("text/HTML");
    m.charSet = row.charSet;
    for (int i = 0; i < row.attachments; ++i) {
        AttachmentPart &a = m.parts.addAttachment(QStringLiteral("f.jpg"));
        if (row.contentId)
            a.headers.setValue(QStringLiteral("Content-ID"), QStringLiteral("<pic>"));
    }
    for (int i = 0; i < row.texts; ++i)
        m.parts.addText();
    m.settleContentType();
    EXPECT_EQ(m.contentType, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ContentTypeChoice,
    ::testing::Values(
        PartsRow{"no_parts", 0, false, 0, QString(), QStringLiteral("text/HTML;")},
        PartsRow{"no_parts_charset", 0, false, 0, QStringLiteral("utf-8"), QStringLiteral("text/HTML;utf-8")},
        PartsRow{"attachment", 1, false, 0, QString(),
                 QStringLiteral("multipart/mixed; boundary=\"=_NextPart_2rfkindysadvnqw3nerasdf\";")},
        PartsRow{"attachment_and_texts", 1, false, 2, QString(),
                 QStringLiteral("multipart/mixed; boundary=\"=_NextPart_2rfkindysadvnqw3nerasdf\";")},
        PartsRow{"content_id", 2, true, 0, QString(),
                 QStringLiteral("multipart/related; type=\"multipart/alternative\"; "
                                "boundary=\"=_NextPart_2relrfksadvnqindyw3nerasdf\";")},
        PartsRow{"texts", 0, false, 2, QString(),
                 QStringLiteral("multipart/alternative; boundary=\"=_NextPart_2rfkindysadvnqw3nerasdf\";")}),
    [](const auto &info) { return std::string(info.param.what); });

TEST(ContentTypeChoice, EmptyTypeBecomesTheCharSet)
{
    MailMessage m;
    m.charSet = QStringLiteral("iso-8859-1");
    m.settleContentType();
    EXPECT_EQ(m.contentType, QStringLiteral("iso-8859-1"));
}

struct SubjectRow
{
    const char *what;
    int addressLength;
    QStringList expected;
};

TEST(MessageHeader, SubjectFoldsAfterFromOnlyForLongAddresses)
{
    auto address = [](int n) { return QString(n - 12, QLatin1Char('k')) + QStringLiteral("@example.org"); };
    const SubjectRow rows[] = {
        {"79_chars", 45, {QStringLiteral("Subject: QSL card attachment from ") + address(45)}},
        {"80_chars", 46, {QStringLiteral("Subject: QSL card attachment from"), QStringLiteral(" ") + address(46)}},
        {"very_long", 70, {QStringLiteral("Subject: QSL card attachment from"), QStringLiteral(" ") + address(70)}},
    };
    for (const SubjectRow &row : rows) {
        MailMessage m;
        basics(m);
        m.subject = QStringLiteral("QSL card attachment from ") + address(row.addressLength);
        const QStringList lines = m.generateHeader().lines();
        EXPECT_EQ(lines.mid(1, row.expected.size()), row.expected) << row.what;
        EXPECT_TRUE(lines.value(1 + row.expected.size()).startsWith(QLatin1String("To: "))) << row.what;
    }
}

struct DateRow
{
    QDateTime time;
    const char *expected;
};

TEST(MailDateLine, CarriesTheLocalOffset)
{
    const DateRow rows[] = {
        {at(3600), "Mon, 7 Dec 2026 23:49:32 +0100"},
        {at(0, QDate(2027, 1, 3), QTime(0, 0, 5)), "Sun, 3 Jan 2027 00:00:05 +0000"},
        {at(-(5 * 3600 + 30 * 60), QDate(2026, 7, 4), QTime(9, 5, 0)), "Sat, 4 Jul 2026 09:05:00 -0530"},
        {at(5 * 3600 + 45 * 60, QDate(2026, 2, 28), QTime(13, 1, 59)), "Sat, 28 Feb 2026 13:01:59 +0545"},
        {at(-10 * 3600, QDate(2026, 11, 12), QTime(12, 0, 0)), "Thu, 12 Nov 2026 12:00:00 -1000"},
    };
    for (const DateRow &row : rows)
        EXPECT_EQ(mailDateLine(row.time), QLatin1String(row.expected));
    try {
        mailDateLine(QDateTime());
        FAIL() << "no error";
    } catch (const MailError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Failed attempting to retrieve time zone information."));
    }
}

TEST(MessageHeader, DateFieldWinsOverTheClock)
{
    MailMessage m;
    basics(m);
    EXPECT_TRUE(m.usesNowForDate());
    m.date = at(-3600, QDate(2026, 1, 1), QTime(1, 2, 3));
    EXPECT_FALSE(m.usesNowForDate());
    EXPECT_TRUE(m.generateHeader().lines().contains(QStringLiteral("Date: Thu, 1 Jan 2026 01:02:03 -0100")));
    m.setUseNowForDate(true);
    EXPECT_TRUE(m.date.isNull());
}

struct AddressRow
{
    QString address;
    QString name;
    QString expected;
};

TEST(AddressForms, BareQuotedOrEncoded)
{
    const HeaderCharset latin1{QStringLiteral("ISO-8859-1"), 'Q'};
    const AddressRow rows[] = {
        {QStringLiteral("dx@example.net"), QString(), QStringLiteral("dx@example.net")},
        {QStringLiteral("a@b.c"), QStringLiteral("Jo Smith"), QStringLiteral("\"Jo Smith\" <a@b.c>")},
        {QStringLiteral("a@b.c"), QStringLiteral("a\\b\"c"), QStringLiteral("\"a\\\\b\\\"c\" <a@b.c>")},
        {QStringLiteral("a@b.c"), QStringLiteral("Jörg Müller"), QStringLiteral("=?ISO-8859-1?Q?J=F6rg_M=FCller?= <a@b.c>")},
        {QStringLiteral("a@b.c"), QStringLiteral("Jörg (DL1) x"), QStringLiteral("=?ISO-8859-1?Q?J=F6rg_(DL1)?= x <a@b.c>")},
    };
    for (const AddressRow &row : rows)
        EXPECT_EQ(EmailAddress(row.address, row.name).text(latin1), row.expected);
    EmailAddressList list;
    list.add(QStringLiteral("a@b.c"));
    list.add(QStringLiteral("d@e.f"), QStringLiteral("D"));
    EXPECT_EQ(list.emailAddresses(latin1), QStringLiteral("a@b.c, \"D\" <d@e.f>"));
}

TEST(MessageHeader, SenderNameSameAsUpperCasedAddressIsLeftOut)
{
    const struct { QString name; QString expected; } rows[] = {
        {QString(), QStringLiteral("Sender: s@ex.org")},
        {QStringLiteral("S@EX.ORG"), QStringLiteral("Sender: s@ex.org")},
        {QStringLiteral("s@ex.org"), QStringLiteral("Sender: s@ex.org <s@ex.org>")},
    };
    for (const auto &row : rows) {
        MailMessage m;
        basics(m);
        m.sender = EmailAddress(QStringLiteral("s@ex.org"), row.name);
        EXPECT_TRUE(m.generateHeader().lines().contains(row.expected)) << row.name.toStdString();
    }
}

TEST(MessageHeader, ValuesWithLineBreaksOrNulAreRefused)
{
    const std::function<void(MailMessage &)> rows[] = {
        [](MailMessage &m) { m.subject += QStringLiteral("\r\nBcc: victim@example.com"); },
        [](MailMessage &m) { m.subject += QStringLiteral("\nX: 1"); },
        [](MailMessage &m) { m.subject += QChar(0); },
        [](MailMessage &m) { m.from.address += QStringLiteral("\r"); },
        [](MailMessage &m) { m.recipients.add(QStringLiteral("a@b.c"), QStringLiteral("x\ny")); },
        [](MailMessage &m) { m.bccList.add(QStringLiteral("a@b.c\r\nRCPT TO:<x@y>")); },
        [](MailMessage &m) { m.organization = QStringLiteral("a\r\nb"); },
        [](MailMessage &m) { m.extraHeaders.add(QStringLiteral("X-A: 1\r\nX-B: 2")); },
    };
    for (const auto &spoil : rows) {
        MailMessage m;
        basics(m);
        EXPECT_NO_THROW(m.generateHeader());
        spoil(m);
        EXPECT_THROW(m.generateHeader(), UnsafeTextError);
    }
}

struct MessageIdRow
{
    const char *name;
    QString sender;
    QString fallback;
    QString domain;
};

void PrintTo(const MessageIdRow &row, std::ostream *os) { *os << row.name; }

class MessageIdDomain : public ::testing::TestWithParam<MessageIdRow>
{
};

// A unique "<letters.letters@domain>" at the sender's domain, or at the machine when the
// sender gives no usable one; two ids are never the same.
TEST_P(MessageIdDomain, UniqueAtTheSendersDomain)
{
    const MessageIdRow &row = GetParam();
    const QString id = MailMessage::newMessageId(row.sender, row.fallback);
    const QRegularExpression shape(QStringLiteral("^<[0-9a-z]+\\.[0-9a-z]+@(.+)>$"));
    const QRegularExpressionMatch match = shape.match(id);
    ASSERT_TRUE(match.hasMatch()) << id.toStdString();
    EXPECT_EQ(row.domain, match.captured(1));
    EXPECT_NE(id, MailMessage::newMessageId(row.sender, row.fallback));
}

const MessageIdRow kMessageIdRows[] = {
    {"SendersDomain", "dl1abc@darc.de", "shack", "darc.de"},
    {"NoSenderUsesTheMachine", "", "shack.example.org", "shack.example.org"},
    {"BlankInDomain", "op@exa mple.org", "shack", "shack"},
    {"BracketInDomain", "op@x>y", "shack", "shack"},
    {"NothingUsable", "op@", "bad host", "localhost"},
};

INSTANTIATE_TEST_SUITE_P(Senders, MessageIdDomain, ::testing::ValuesIn(kMessageIdRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
