#include "MessageCapture.h"
#include "SocketLayer.h"
#include "ScriptedServer.h"
#include "SmtpClient.h"
#include "TestCertificates.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using S = ScriptedServer;
using Lines = std::vector<std::string>;

TEST(SmtpAuthSchemes, CollectedFromBothFormsOnce)
{
    struct Row
    {
        QStringList reply;
        QStringList schemes;
    };
    const Row rows[] = {
        {{"250-mail.example.org Hello", "250-AUTH LOGIN PLAIN", "250 AUTH=LOGIN CRAM-MD5"},
         {"LOGIN", "PLAIN", "CRAM-MD5"}},
        {{"250-host", "250-auth=login", "250 SIZE 100"}, {"LOGIN"}},
        {{"250 AUTH LOGIN"}, {}},                       // the first line is the greeting
        {{"250-host", "250-AUTHX LOGIN", "250-AUTH"}, {}},
        {{"250-host", "250-8BITMIME", "250 AUTH  LOGIN==PLAIN"}, {"LOGIN", "PLAIN"}},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.schemes, SmtpClient::parseAuthSchemes(row.reply)) << row.reply.join('|').toStdString();
}

// What the client names itself in EHLO over a loopback connection.
const std::string kHost = ehloDomain(localHostName(), QStringLiteral("127.0.0.1")).toStdString();

std::vector<S::Step> greetingAndEhlo()
{
    return script({{S::send("220 test ESMTP\r\n")},
                   S::answer("250-test Hello\r\n250-AUTH LOGIN PLAIN\r\n250 AUTH=LOGIN XOAUTH2\r\n")});
}

struct DialogueRow
{
    const char *name;
    std::vector<S::Step> script;
    Lines clientLines;     // what the server must have received; "<host>" stands for the host name
    QString error;         // empty: the send must succeed
    SmtpClient::Envelope envelope = {"op@example.org", {"dx@example.net"}, {}, {}};
    int readTimeoutMs = 20000;   // only a row about a silent server needs a short one
    SmtpSecurity security = SmtpSecurity::None;
};

void PrintTo(const DialogueRow &row, std::ostream *os) { *os << row.name; }

class SmtpDialogue : public ::testing::TestWithParam<DialogueRow>
{
};

// The test authority and the server certificates, made by the first row that needs TLS.
void makeCertificatesOnce()
{
    static TestCertificates certificates(QStringLiteral(KARTELLO_MAIL_TEST_DIR));
    static const bool made = (certificates.SetUp(), true);
    (void)made;
}

const std::string kServerCertificate = TestCertificates::path(QStringLiteral("localhost")).toStdString();

// Runs one send the way the mail component does: connect, send, disconnect; after a failure,
// disconnect and keep the error's text.
QString runSend(SmtpClient &smtp, const SmtpClient::Envelope &envelope)
{
    try {
        smtp.connect();
        EXPECT_EQ(SmtpClient::State::Connected, smtp.state());
        smtp.sendEnvelope(envelope, [&] {
            EXPECT_EQ(SmtpClient::State::Sending, smtp.state());
            smtp.writeLines({QStringLiteral("Subject: test"), QString(), QStringLiteral("73")});
        });
        EXPECT_EQ(SmtpClient::State::Connected, smtp.state());
        smtp.disconnect();
        return QString();
    } catch (const MailError &e) {
        smtp.disconnect();
        return e.text();
    }
}

TEST_P(SmtpDialogue, CommandsRepliesAndErrorText)
{
    const DialogueRow &row = GetParam();
    ScriptedServer server(row.script);
    SmtpClient smtp;
    smtp.host = QStringLiteral("localhost");
    smtp.port = server.port();
    smtp.readTimeoutMs = row.readTimeoutMs;
    smtp.security = row.security;
    if (row.security != SmtpSecurity::None)
        makeCertificatesOnce();
    EXPECT_EQ(row.error, runSend(smtp, row.envelope));
    Lines expected;
    for (std::string line : row.clientLines) {
        if (line.find("<host>") != std::string::npos)
            line.replace(line.find("<host>"), 6, kHost);
        expected.push_back(line);
    }
    EXPECT_EQ(expected, server.receivedLines());
    EXPECT_FALSE(smtp.connected());
    EXPECT_FALSE(smtp.authenticated());
    EXPECT_EQ(SmtpClient::State::NotConnected, smtp.state());
}

const Lines kMessage = {"Subject: test", "", "73", "."};

Lines concat(std::initializer_list<Lines> parts)
{
    Lines all;
    for (const Lines &part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const DialogueRow kDialogueRows[] = {
    {"WholeSend",
     script({greetingAndEhlo(), S::answer("250 reset\r\n"), S::answer("250 sender ok\r\n"),
             S::answer("250 to\r\n"), S::answer("250 cc\r\n"), S::answer("250 bcc\r\n"),
             S::answer("354 go ahead\r\n"), {S::readData(), S::send("250 queued\r\n")}}),
     concat({{"ehlo <host>", "Rset", "Mail from:<op@example.org>", "RCPT to:<dx@example.net>",
              "RCPT to:<cc@example.net>", "RCPT to:<bcc@example.net>", "Data"},
             kMessage, {"Quit"}}),
     {},
     {"op@example.org", {"dx@example.net"}, {"cc@example.net"}, {"bcc@example.net"}}},
    // After STARTTLS the server forgets what the plain EHLO told, so the client must greet again.
    {"StartTlsThenEhloAgain",
     script({{S::send("220 test ESMTP\r\n")}, S::answer("250-test Hello\r\n250 STARTTLS\r\n"),
             S::answer("220 go ahead\r\n"), {S::startTls(kServerCertificate)},
             S::answer("250-test Hello again\r\n250 AUTH PLAIN\r\n"), S::answer("250 reset\r\n"),
             S::answer("250 ok\r\n"), S::answer("250 ok\r\n"), S::answer("354 go\r\n"),
             {S::readData(), S::send("250 queued\r\n")}}),
     concat({{"ehlo <host>", "STARTTLS", "ehlo <host>", "Rset", "Mail from:<op@example.org>",
              "RCPT to:<dx@example.net>", "Data"},
             kMessage, {"Quit"}}),
     {},
     {"op@example.org", {"dx@example.net"}, {}, {}},
     20000,
     SmtpSecurity::StartTls},
    {"GreetingRefused", {S::send("554 no service\r\n")}, {"Quit"}, "554 no service"},
    {"EhloRefusedThenHelo",
     script({{S::send("220 old\r\n")}, S::answer("500 what?\r\n"), S::answer("250 hi\r\n"),
             S::answer("250 reset\r\n"), S::answer("250 ok\r\n"), S::answer("250 ok\r\n"),
             S::answer("354 go\r\n"), {S::readData(), S::send("250 queued\r\n")}}),
     concat({{"ehlo <host>", "Helo <host>", "Rset", "Mail from:<op@example.org>",
              "RCPT to:<dx@example.net>", "Data"},
             kMessage, {"Quit"}}),
     {}},
    {"HeloRefused",
     script({{S::send("220 old\r\n")}, S::answer("500 what?\r\n"), S::answer("501 go away\r\n")}),
     {"ehlo <host>", "Helo <host>", "Quit"},
     "501 go away"},
    {"RsetRefusedSendGoesOn",
     script({greetingAndEhlo(), S::answer("502 not implemented\r\n"), S::answer("250 ok\r\n"),
             S::answer("250 ok\r\n"), S::answer("354 go\r\n"), {S::readData(), S::send("250 ok\r\n")}}),
     concat({{"ehlo <host>", "Rset", "Mail from:<op@example.org>", "RCPT to:<dx@example.net>", "Data"},
             kMessage, {"Quit"}}),
     {}},
    {"SenderRefused",
     script({greetingAndEhlo(), S::answer("250 reset\r\n"), S::answer("553 sender rejected\r\n")}),
     {"ehlo <host>", "Rset", "Mail from:<op@example.org>", "Quit"},
     "553 sender rejected"},
    {"RecipientForwardedIsRefused",
     script({greetingAndEhlo(), S::answer("250 reset\r\n"), S::answer("250 ok\r\n"),
             S::answer(" 251 User not local; will forward \r\n")}),
     {"ehlo <host>", "Rset", "Mail from:<op@example.org>", "RCPT to:<dx@example.net>", "Quit"},
     "251 User not local; will forward"},
    {"DataRefused",
     script({greetingAndEhlo(), S::answer("250 reset\r\n"), S::answer("250 ok\r\n"),
             S::answer("250 ok\r\n"), S::answer("\r\n451-try\r\n\r\n451 later\r\n")}),
     {"ehlo <host>", "Rset", "Mail from:<op@example.org>", "RCPT to:<dx@example.net>", "Data", "Quit"},
     "451 later"},
    {"ServerClosesAfterData",
     script({greetingAndEhlo(), S::answer("250 reset\r\n"), S::answer("250 ok\r\n"),
             S::answer("250 ok\r\n"), {S::readLine(), S::close()}}),
     {"ehlo <host>", "Rset", "Mail from:<op@example.org>", "RCPT to:<dx@example.net>", "Data"},
     "Connection Closed Gracefully."},
    {"ServerNeverAnswers",
     {S::send("220 hello\r\n")},
     {"ehlo <host>", "Quit"},
     "Socket Error # 10060\r\nConnection timed out.",
     {"op@example.org", {"dx@example.net"}, {}, {}},
     300},
    {"LineBreakInRecipient",
     greetingAndEhlo(),
     {"ehlo <host>", "Quit"},
     "The recipient address \"dx@example.net<CR><LF>RCPT to:<evil@example.com>\" holds a line break "
     "or NUL character; nothing was sent.",
     {"op@example.org", {"dx@example.net\r\nRCPT to:<evil@example.com>"}, {}, {}}},
    {"NulInBcc",
     greetingAndEhlo(),
     {"ehlo <host>", "Quit"},
     "The Bcc address \"b<NUL>c\" holds a line break or NUL character; nothing was sent.",
     {"op@example.org", {"dx@example.net"}, {}, {QString::fromLatin1("b\0c", 3)}}},
    {"LineFeedInSender",
     greetingAndEhlo(),
     {"ehlo <host>", "Quit"},
     "The sender address \"op@x<LF>DATA\" holds a line break or NUL character; nothing was sent.",
     {"op@x\nDATA", {"dx@example.net"}, {}, {}}},
};

INSTANTIATE_TEST_SUITE_P(Dialogues, SmtpDialogue, ::testing::ValuesIn(kDialogueRows),
                         [](const auto &info) { return std::string(info.param.name); });

// A server that offers AUTH on a plain connection gets no user name nor password.
TEST(SmtpLogin, CredentialsNeverTravelWithoutTls)
{
    ScriptedServer server(script({greetingAndEhlo(), S::answer("250 reset\r\n")}));
    SmtpClient smtp;
    smtp.host = QStringLiteral("127.0.0.1");
    smtp.port = server.port();
    smtp.authentication = SmtpClient::Authentication::PlainOrLogin;
    smtp.userName = QStringLiteral("dl1abc");
    smtp.password = QStringLiteral("secret");
    QString error;
    try {
        smtp.connect();
        smtp.sendEnvelope({"op@example.org", {"dx@example.net"}, {}, {}}, [] {});
    } catch (const TlsError &e) {
        error = e.text();
    }
    smtp.disconnect();
    EXPECT_EQ(QStringLiteral("The user name and password are only sent over a secure connection; "
                             "nothing was sent."),
              error);
    EXPECT_EQ(Lines({"ehlo " + kHost, "Rset", "Quit"}), server.receivedLines());
}

TEST(SmtpClient, StartsOnPort25WithoutAuthentication)
{
    SmtpClient smtp;
    EXPECT_EQ(25, smtp.port);
    EXPECT_EQ(SmtpClient::Authentication::None, smtp.authentication);
    EXPECT_TRUE(smtp.mailAgent.isEmpty());
}

// The message goes over a real loopback connection, the attachment large enough to need
// several 32768-byte blocks; the server must receive exactly what the writer produces.
TEST(SmtpClient, WritesTheMessageOntoTheConnection)
{
    QTemporaryDir dir;
    QByteArray picture(100003, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char &c : picture)
        c = char(rng.bounded(256));
    const QString path = dir.filePath(QStringLiteral("K1ABC.jpg"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(picture);
    }
    auto compose = [&](MailMessage &m) {
        m.clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(23, 49, 32), QTimeZone(3600)); };
        m.from.address = QStringLiteral("op@example.org");
        m.recipients.add(QStringLiteral("dx@example.net"));
        m.subject = QStringLiteral("QSL card attachment from op@example.org");
        m.body = QStringList{QStringLiteral(".")};
        m.messageId = QStringLiteral("<kq3.x7@example.org>");
        m.parts.addAttachment(path);
    };

    MailMessage expectedMessage;
    compose(expectedMessage);
    MessageCapture expected;
    MessageWriter(expected).writeMessage(expectedMessage);

    ScriptedServer server(script({greetingAndEhlo(), S::answer("250 reset\r\n"), S::answer("250 ok\r\n"),
                                  S::answer("250 ok\r\n"), S::answer("354 go\r\n"),
                                  {S::readData(), S::send("250 queued\r\n")}}));
    SmtpClient client;
    client.host = QStringLiteral("127.0.0.1");
    client.port = server.port();
    client.connect();
    MailMessage m;
    compose(m);
    client.send(m);
    client.disconnect();
    const QByteArray all = QByteArray::fromStdString(server.received());
    const qsizetype from = all.indexOf("Data\r\n") + 6;
    const QByteArray got = all.mid(from, all.lastIndexOf(".\r\nQuit\r\n") - from);
    EXPECT_EQ(got.size(), expected.bytes.size());
    EXPECT_TRUE(got == expected.bytes);

    // The attachment's base64 lines decode to the picture, byte for byte.
    const int start = got.indexOf("filename=\"K1ABC.jpg\"\r\n\r\n") + 24;
    const int end = got.indexOf("\r\n\r\n--=_NextPart_2rfkindysadvnqw3nerasdf--");
    const QList<QByteArray> lines = got.mid(start, end - start).split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), 77) << i;   // 76 characters and the CR
    EXPECT_EQ(QByteArray::fromBase64(got.mid(start, end - start)), picture);
    EXPECT_TRUE(got.contains("Content-Transfer-Encoding: 7bit\r\n\r\n..\r\n"));
}

} // namespace
