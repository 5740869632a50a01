#include "CardMail.h"
#include "MailErrors.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Step = SmtpClient::Step;
using V = FailureVerdict;

enum class Kind { Reply, Socket, Closed, Tls, Cancelled, Unsafe, Plain };

struct VerdictRow
{
    const char *name;
    Kind kind;
    int code;   // the reply code or the socket error number
    Step step;
    FailureVerdict verdict;
};

void PrintTo(const VerdictRow &row, std::ostream *os) { *os << row.name; }

std::unique_ptr<MailError> makeError(const VerdictRow &row)
{
    switch (row.kind) {
    case Kind::Reply: return std::make_unique<ProtocolReplyError>(row.code, QStringLiteral("%1 text").arg(row.code));
    case Kind::Socket: return std::make_unique<SocketError>(row.code);
    case Kind::Closed: return std::make_unique<ConnectionClosedError>();
    case Kind::Tls: return std::make_unique<TlsError>(QStringLiteral("it has expired."));
    case Kind::Cancelled: return std::make_unique<SessionCancelledError>();
    case Kind::Unsafe: return std::make_unique<UnsafeTextError>(QStringLiteral("recipient address"), QStringLiteral("a\r\nb"));
    case Kind::Plain: return std::make_unique<MailError>(QStringLiteral("Cannot open file /q/K1ABC.jpg"));
    }
    return nullptr;
}

class Verdict : public ::testing::TestWithParam<VerdictRow>
{
};

TEST_P(Verdict, SaysWhatTheRunDoesNext)
{
    const VerdictRow &row = GetParam();
    EXPECT_EQ(int(row.verdict), int(judgeFailure(*makeError(row), row.step)));
}

const VerdictRow kVerdictRows[] = {
    {"SessionCapAtEndOfData", Kind::Reply, 421, Step::EndOfData, V::SessionLost},
    {"ShutdownAtRecipient", Kind::Reply, 421, Step::Recipient, V::SessionLost},
    {"BusyGreeting", Kind::Reply, 421, Step::Connect, V::SessionLost},
    {"GreylistedRecipient", Kind::Reply, 450, Step::Recipient, V::TryLater},
    {"MailboxBusyAfterData", Kind::Reply, 451, Step::EndOfData, V::TryLater},
    {"TemporarySender", Kind::Reply, 451, Step::MailFrom, V::TryLater},
    {"TemporaryLoginFailure", Kind::Reply, 454, Step::Login, V::SessionLost},
    {"NoSuchUser", Kind::Reply, 550, Step::Recipient, V::CardRefused},
    {"ContentRejected", Kind::Reply, 554, Step::EndOfData, V::CardRefused},
    {"NoValidRecipients", Kind::Reply, 554, Step::Data, V::CardRefused},
    {"LoginRefused", Kind::Reply, 535, Step::Login, V::StopRun},
    {"SenderRefused", Kind::Reply, 553, Step::MailFrom, V::StopRun},
    {"GreetingRefused", Kind::Reply, 554, Step::Connect, V::StopRun},
    {"ConnectionRefused", Kind::Socket, 10061, Step::Connect, V::StopRun},
    {"ResetWhileSending", Kind::Socket, 10054, Step::EndOfData, V::SessionLost},
    {"ClosedBeforeReply", Kind::Closed, 0, Step::EndOfData, V::SessionLost},
    {"ClosedAtReset", Kind::Closed, 0, Step::Reset, V::SessionLost},
    {"ClosedWhileGreeting", Kind::Closed, 0, Step::Connect, V::SessionLost},
    {"UntrustedCertificate", Kind::Tls, 0, Step::Connect, V::StopRun},
    {"SecureConnectionCutWhileSending", Kind::Tls, 0, Step::EndOfData, V::SessionLost},
    {"OperatorStopped", Kind::Cancelled, 0, Step::MessageText, V::Stopped},
    {"AddressWithLineBreakFirstCard", Kind::Unsafe, 0, Step::Login, V::CardRefused},
    {"AddressWithLineBreak", Kind::Unsafe, 0, Step::Done, V::CardRefused},
    {"PictureUnreadable", Kind::Plain, 0, Step::MessageText, V::CardRefused},
};

INSTANTIATE_TEST_SUITE_P(Failures, Verdict, ::testing::ValuesIn(kVerdictRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
