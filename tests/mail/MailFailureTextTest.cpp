#include "MailErrors.h"
#include "MailFailureText.h"
#include "Mailer.h"
#include "ScriptedServer.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Step = SmtpClient::Step;

// A failure and the step it came at, and the line the operator reads for it.
struct FailureTextRow
{
    const char *name;
    std::shared_ptr<MailError> error;
    Step step;
    QString text;
};

void PrintTo(const FailureTextRow &row, std::ostream *os) { *os << row.name; }

class FailureText : public ::testing::TestWithParam<FailureTextRow>
{
};

TEST_P(FailureText, NamesTheServerAndTheStepWithoutWinsockNumbers)
{
    const FailureTextRow &row = GetParam();
    EXPECT_EQ(row.text, mailFailureText(*row.error, QStringLiteral("mail.example.org"), 587, row.step));
}

const QString kPlace = QStringLiteral(" (mail.example.org:587)");

const FailureTextRow kFailureTextRows[] = {
    {"Refused", std::make_shared<SocketError>(10061), Step::Connect, "Connection refused" + kPlace},
    {"TimedOutAtLogin", std::make_shared<SocketError>(10060), Step::Login, "Connection timed out during login" + kPlace},
    {"ResetInTheMessage", std::make_shared<SocketError>(10054), Step::MessageText,
     "Connection reset by peer while sending the message" + kPlace},
    {"UnknownHost", std::make_shared<SocketError>(-2), Step::Connect, "Name or service not known" + kPlace},
    {"CodeOutsideTheTable", std::make_shared<SocketError>(12), Step::Connect, "Cannot allocate memory" + kPlace},
    {"ClosedAwaitingTheAnswer", std::make_shared<ConnectionClosedError>(), Step::EndOfData,
     "The server closed the connection while waiting for the answer to the message" + kPlace},
    {"ClosedAtTheEnvelope", std::make_shared<ConnectionClosedError>(), Step::Recipient,
     "The server closed the connection while giving the sender and recipients" + kPlace},
    {"ServerLineAsItCame", std::make_shared<ProtocolReplyError>(550, "550 5.1.1 no such user"), Step::Recipient,
     "550 5.1.1 no such user"},
    {"LineBreaksMadeBlanks", std::make_shared<MailError>("first\r\nsecond"), Step::Done, "first second"},
};

INSTANTIATE_TEST_SUITE_P(Failures, FailureText, ::testing::ValuesIn(kFailureTextRows),
                         [](const auto &info) { return std::string(info.param.name); });

// What a window or a summary shows after a real send that failed.
struct SentFailureRow
{
    const char *name;
    std::vector<ScriptedServer::Step> script;   // empty: nothing listens
    SmtpSecurity security;
    QString text;   // %1 the port
};

void PrintTo(const SentFailureRow &row, std::ostream *os) { *os << row.name; }

class SentFailure : public ::testing::TestWithParam<SentFailureRow>
{
};

TEST_P(SentFailure, ReadsAsTheOperatorReadsIt)
{
    const SentFailureRow &row = GetParam();
    std::unique_ptr<ScriptedServer> server;
    if (!row.script.empty())
        server = std::make_unique<ScriptedServer>(row.script);
    const quint16 port = server ? server->port() : unusedPort();
    Mailer mailer;
    mailer.host = QStringLiteral("127.0.0.1");
    mailer.port = port;
    mailer.security = row.security;
    mailer.smtp().readTimeoutMs = 10000;
    mailer.from.address = QStringLiteral("dl1abc@example.org");
    mailer.recipients.add(QStringLiteral("k1abc@example.net"));
    QString handed;
    mailer.onSendError = [&](Mailer *, const QString &text) { handed = text; };
    mailer.send();
    EXPECT_FALSE(handed.isEmpty());
    EXPECT_EQ(row.text.arg(port), mailer.lastFailureText());
}

using S = ScriptedServer;

INSTANTIATE_TEST_SUITE_P(
    Sends, SentFailure,
    ::testing::Values(
        SentFailureRow{"NothingListens", {}, SmtpSecurity::None, "Connection refused (127.0.0.1:%1)"},
        SentFailureRow{"ClosedAfterEhlo", {S::send("220 x\r\n"), S::readLine(), S::close()}, SmtpSecurity::None,
                       "The server closed the connection while connecting (127.0.0.1:%1)"},
        SentFailureRow{"ClosedInTheTlsHandshake", {S::readLine(), S::close()}, SmtpSecurity::ImplicitTls,
                       "The server closed the connection during the TLS handshake."},
        SentFailureRow{"ClosedAfterStartTls",
                       script({{S::send("220 x\r\n")}, S::answer("250-x\r\n250 STARTTLS\r\n"),
                               S::answer("220 go ahead\r\n"), {S::close()}}),
                       SmtpSecurity::StartTls, "The server closed the connection during the TLS handshake."}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
