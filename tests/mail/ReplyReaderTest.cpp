#include "MailErrors.h"
#include "ReplyReader.h"
#include "SmtpClient.h"
#include "SocketLayer.h"
#include "TlsSession.h"

#include <openssl/x509_vfy.h>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using State = ReplyAssembler::State;

struct AssemblyRow
{
    const char *name;
    QStringList lines;
    QList<State> states;   // after each line
};

void PrintTo(const AssemblyRow &row, std::ostream *os) { *os << row.name; }

class ReplyAssembly : public ::testing::TestWithParam<AssemblyRow>
{
};

TEST_P(ReplyAssembly, StateAfterEachLine)
{
    const AssemblyRow &row = GetParam();
    ReplyAssembler reply;
    QList<State> states;
    for (const QString &line : row.lines)
        states << reply.addLine(line);
    EXPECT_EQ(row.states, states);
    EXPECT_EQ(row.lines, reply.lines());
}

const AssemblyRow kAssemblyRows[] = {
    {"OneLine", {"220 ready"}, {State::Complete}},
    {"ThreeDigitsOnly", {"250"}, {State::Complete}},
    {"MultiLine", {"250-a", "250-b", "250 c"}, {State::AwaitingMoreLines, State::AwaitingMoreLines, State::Complete}},
    {"LastLineLetterCaseIgnored", {"2ab-x", "2AB y"}, {State::AwaitingMoreLines, State::Complete}},
    {"OtherCodeDoesNotEnd", {"250-a", "251 b", "250 c"}, {State::AwaitingMoreLines, State::AwaitingMoreLines, State::Complete}},
    {"ShortLineEnds", {"250-a", "ok"}, {State::AwaitingMoreLines, State::Complete}},
};

INSTANTIATE_TEST_SUITE_P(Replies, ReplyAssembly, ::testing::ValuesIn(kAssemblyRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct BoundRow
{
    const char *name;
    int lines;
    int lineLength;
    bool refused;
};

void PrintTo(const BoundRow &row, std::ostream *os) { *os << row.name; }

class ReplyBounds : public ::testing::TestWithParam<BoundRow>
{
};

// An endless multi-line reply is cut off by count of lines or by size, never kept whole.
TEST_P(ReplyBounds, EndlessRepliesAreRefused)
{
    const BoundRow &row = GetParam();
    ReplyAssembler reply;
    const QString line = QStringLiteral("220-") + QString(row.lineLength - 4, QLatin1Char('x'));
    QString error;
    try {
        for (int i = 0; i < row.lines; ++i)
            reply.addLine(line);
    } catch (const ReplyTooLargeError &e) {
        error = e.text();
    }
    EXPECT_EQ(row.refused ? QStringLiteral("The server sent a reply of more than 512 lines or 65536 bytes; "
                                           "the connection was closed.")
                          : QString(),
              error);
    EXPECT_LE(reply.lines().size(), ReplyAssembler::kMaxLines);
}

const BoundRow kBoundRows[] = {
    {"LinesAtTheLimit", 512, 10, false},
    {"OneLineTooMany", 513, 10, true},
    {"BytesAtTheLimit", 64, 1024, false},
    {"BytesPastTheLimit", 65, 1024, true},
};

INSTANTIATE_TEST_SUITE_P(Bounds, ReplyBounds, ::testing::ValuesIn(kBoundRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReplyBounds, ANewReplyStartsAfterACompleteOne)
{
    ReplyAssembler reply;
    for (int i = 0; i < 400; ++i)
        reply.addLine(QStringLiteral("250-x"));
    reply.addLine(QStringLiteral("250 x"));
    EXPECT_EQ(State::Complete, reply.addLine(QStringLiteral("354 go")));
    EXPECT_EQ(QStringList{"354 go"}, reply.lines());
}

struct CutRow
{
    const char *name;
    QByteArray buffer;
    bool cut;
    QString line;
    QByteArray rest;
};

void PrintTo(const CutRow &row, std::ostream *os) { *os << row.name; }

class LineCutting : public ::testing::TestWithParam<CutRow>
{
};

TEST_P(LineCutting, OneLineOffTheBuffer)
{
    const CutRow &row = GetParam();
    QByteArray buffer = row.buffer;
    QString line;
    EXPECT_EQ(row.cut, cutLine(buffer, 8, line));
    EXPECT_EQ(row.line, line);
    EXPECT_EQ(row.rest, buffer);
}

const CutRow kCutRows[] = {
    {"CrLf", "250 ok\r\nnext", true, "250 ok", "next"},
    {"BareLf", "250\n", true, "250", ""},
    {"OneCrOnly", "a\r\r\n", true, "a\r", ""},
    {"NoLineEndYet", "250 o", false, {}, "250 o"},
    {"LimitWithItsCr", "12345678\r", false, {}, "12345678\r"},
    {"Utf8", "2\xC3\xBC\r\n", true, QStringLiteral("2ü"), ""},
};

INSTANTIATE_TEST_SUITE_P(Lines, LineCutting, ::testing::ValuesIn(kCutRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(LineCutting, OverlongLinesAreRefusedWithOrWithoutTheirEnd)
{
    for (QByteArray buffer : {QByteArray("123456789\r\n"), QByteArray("1234567890")}) {
        QString line;
        EXPECT_THROW(cutLine(buffer, 8, line), ReplyLineTooLongError) << buffer.constData();
    }
}

struct EhloRow
{
    const char *name;
    QStringList reply;
    bool startTls;
    QStringList schemes;
};

void PrintTo(const EhloRow &row, std::ostream *os) { *os << row.name; }

class EhloCapabilityParsing : public ::testing::TestWithParam<EhloRow>
{
};

TEST_P(EhloCapabilityParsing, StartTlsAndAuthSchemes)
{
    const EhloRow &row = GetParam();
    const EhloCapabilities caps = SmtpClient::parseEhloCapabilities(row.reply);
    EXPECT_EQ(row.startTls, caps.startTls);
    EXPECT_EQ(row.schemes, caps.authSchemes);
}

const EhloRow kEhloRows[] = {
    {"Provider", {"250-smtp.example.com", "250-SIZE 35882577", "250-STARTTLS", "250 AUTH LOGIN PLAIN XOAUTH2"},
     true, {"LOGIN", "PLAIN", "XOAUTH2"}},
    {"LowerCase", {"250-x", "250 starttls"}, true, {}},
    {"AfterTls", {"250-x", "250 AUTH=PLAIN"}, false, {"PLAIN"}},
    {"GreetingLineIsNotACapability", {"250 STARTTLS"}, false, {}},
    {"PrefixIsNotEnough", {"250-x", "250 STARTTLSX"}, false, {}},
    {"ShortLines", {"250-x", "250", ""}, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Replies, EhloCapabilityParsing, ::testing::ValuesIn(kEhloRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct DomainRow
{
    const char *name;
    QString hostName;
    QString localAddress;
    QString domain;
};

void PrintTo(const DomainRow &row, std::ostream *os) { *os << row.name; }

class EhloDomainChoice : public ::testing::TestWithParam<DomainRow>
{
};

TEST_P(EhloDomainChoice, QualifiedNameOrAddressLiteral)
{
    const DomainRow &row = GetParam();
    EXPECT_EQ(row.domain, ehloDomain(row.hostName, row.localAddress));
}

const DomainRow kDomainRows[] = {
    {"Qualified", "shack.example.org", "192.0.2.7", "shack.example.org"},
    {"BareName", "vm", "192.0.2.7", "[192.0.2.7]"},
    {"BareNameOverIPv6", "vm", "2001:db8::7", "[IPv6:2001:db8::7]"},
    {"TrailingDotOnly", "vm.", "10.0.0.1", "[10.0.0.1]"},
    {"EmptyName", "", "127.0.0.1", "[127.0.0.1]"},
};

INSTANTIATE_TEST_SUITE_P(Names, EhloDomainChoice, ::testing::ValuesIn(kDomainRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct CertificateRow
{
    const char *name;
    long verifyResult;
    QString reason;
};

void PrintTo(const CertificateRow &row, std::ostream *os) { *os << row.name; }

class CertificateFailures : public ::testing::TestWithParam<CertificateRow>
{
};

TEST_P(CertificateFailures, SayWhy)
{
    const CertificateRow &row = GetParam();
    EXPECT_EQ(QStringLiteral("The server's certificate was not accepted: ") + row.reason,
              certificateFailureText(row.verifyResult));
}

const CertificateRow kCertificateRows[] = {
    {"Expired", X509_V_ERR_CERT_HAS_EXPIRED, "it has expired."},
    {"NotYetValid", X509_V_ERR_CERT_NOT_YET_VALID, "it is not valid yet."},
    {"WrongHost", X509_V_ERR_HOSTNAME_MISMATCH, "it was issued for another host name."},
    {"WrongAddress", X509_V_ERR_IP_ADDRESS_MISMATCH, "it was issued for another host name."},
    {"SelfSigned", X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT, "it was issued by an unknown authority."},
    {"UnknownIssuer", X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY, "it was issued by an unknown authority."},
    {"Revoked", X509_V_ERR_CERT_REVOKED, "it has been revoked."},
    {"Other", X509_V_ERR_INVALID_PURPOSE, "unsuitable certificate purpose."},
};

INSTANTIATE_TEST_SUITE_P(Results, CertificateFailures, ::testing::ValuesIn(kCertificateRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct ResolveRow
{
    const char *name;
    QString host;
    QStringList addresses;
};

void PrintTo(const ResolveRow &row, std::ostream *os) { *os << row.name; }

class AddressLiterals : public ::testing::TestWithParam<ResolveRow>
{
};

TEST_P(AddressLiterals, UsedWithoutALookup)
{
    const ResolveRow &row = GetParam();
    QStringList texts;
    for (const HostAddress &a : resolveHostAddresses(row.host, 25))
        texts << a.text();
    EXPECT_EQ(row.addresses, texts);
}

const ResolveRow kResolveRows[] = {
    {"Localhost", "LocalHost", {"127.0.0.1"}},
    {"DottedIPv4", "192.0.2.7", {"192.0.2.7"}},
    {"IPv6", "2001:db8::7", {"2001:db8::7"}},
    {"BracketedIPv6", "[::1]", {"::1"}},
};

INSTANTIATE_TEST_SUITE_P(Hosts, AddressLiterals, ::testing::ValuesIn(kResolveRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
