#include "AiosmtpdServer.h"
#include "TestCertificates.h"
#include "Mailer.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QString kScripts = QStringLiteral(KARTELLO_MAIL_TEST_DIR);

using Certificates = TestCertificates;
const auto *const kCertificates = ::testing::AddGlobalTestEnvironment(new TestCertificates(kScripts));

struct TlsRow
{
    const char *name;
    const char *serverMode;    // starttls, tls, nostarttls
    const char *certificate;   // localhost, otherhost, expired, rogue
    const char *mechanisms;    // what the server offers
    SmtpSecurity security;
    QString password;
    QString error;             // empty: the card must arrive
};

void PrintTo(const TlsRow &row, std::ostream *os) { *os << row.name; }

class MailOverTls : public ::testing::TestWithParam<TlsRow>
{
};

QByteArray randomCard()
{
    QByteArray card(70001, Qt::Uninitialized);
    QRandomGenerator rng(73);
    for (char &c : card)
        c = char(rng.bounded(256));
    return card;
}

TEST_P(MailOverTls, SendsOrSaysWhy)
{
    const TlsRow &row = GetParam();
    QTemporaryDir inbox;
    QTemporaryDir work;
    const QString cert = Certificates::path(QString::fromLatin1(row.certificate));
    AiosmtpdServer server(kScripts + QStringLiteral("/smtp_tls_server.py"),
                          {inbox.path(), QString::fromLatin1(row.serverMode), cert + QStringLiteral(".pem"),
                           cert + QStringLiteral(".key"), QString::fromLatin1(row.mechanisms)});
    ASSERT_NE(0, server.port()) << server.errors().toStdString();

    const QByteArray card = randomCard();
    const QString cardPath = work.filePath(QStringLiteral("K1ABC.jpg"));
    QFile f(cardPath);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(card);
    f.close();

    Mailer mailer;
    QStringList errors;
    mailer.onSendError = [&](Mailer *, const QString &text) { errors << text; };
    mailer.host = QStringLiteral("localhost");
    mailer.port = server.port();
    mailer.security = row.security;
    mailer.userName = QStringLiteral("dl1abc");
    mailer.password = row.password;
    mailer.from.address = QStringLiteral("dl1abc@example.org");
    mailer.recipients.add(QStringLiteral("k1abc@example.net"));
    mailer.subject = QStringLiteral("QSL card attachment from dl1abc@example.org");
    mailer.body = mailer.subject.split(QLatin1Char('\n'));
    mailer.attachments.setFileName(cardPath);
    mailer.send();

    const QString message = inbox.filePath(QStringLiteral("message1.eml"));
    if (!row.error.isEmpty()) {
        ASSERT_EQ(1, errors.size());
        EXPECT_EQ(row.error, errors.first().left(row.error.size()));
        EXPECT_FALSE(QFile::exists(message));
        return;
    }
    EXPECT_EQ(QStringList(), errors);
    ASSERT_TRUE(QDir(work.path()).mkpath(QStringLiteral("out")));
    const QString parts = runPython({kScripts + QStringLiteral("/decode_attachment.py"), message, work.path()
                                     + QStringLiteral("/out")});
    EXPECT_TRUE(parts.contains(QStringLiteral("application/octet-stream K1ABC.jpg 70001"))) << parts.toStdString();
    EXPECT_FALSE(parts.contains(QStringLiteral("defect"))) << parts.toStdString();
    QFile back(work.filePath(QStringLiteral("out/K1ABC.jpg")));
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_TRUE(back.readAll() == card);
}

const QString kGood = QStringLiteral("app-pw-73");
const QString kRefused = QStringLiteral("The server's certificate was not accepted: ");

const TlsRow kTlsRows[] = {
    {"StartTlsAuthPlain", "starttls", "localhost", "PLAIN,LOGIN", SmtpSecurity::StartTls, kGood, {}},
    {"StartTlsAuthLogin", "starttls", "localhost", "LOGIN", SmtpSecurity::StartTls, kGood, {}},
    {"ImplicitTls", "tls", "localhost", "PLAIN,LOGIN", SmtpSecurity::ImplicitTls, kGood, {}},
    {"WrongPassword", "starttls", "localhost", "PLAIN,LOGIN", SmtpSecurity::StartTls,
     QStringLiteral("wrong"), QStringLiteral("535 5.7.8 Authentication credentials invalid")},
    {"NoStartTlsOffered", "nostarttls", "localhost", "PLAIN,LOGIN", SmtpSecurity::StartTls, kGood,
     QStringLiteral("The server does not offer STARTTLS; nothing was sent.")},
    {"CertificateForAnotherHost", "starttls", "otherhost", "PLAIN,LOGIN", SmtpSecurity::StartTls, kGood,
     kRefused + QStringLiteral("it was issued for another host name.")},
    {"ExpiredCertificate", "tls", "expired", "PLAIN,LOGIN", SmtpSecurity::ImplicitTls, kGood,
     kRefused + QStringLiteral("it has expired.")},
    {"UnknownAuthority", "starttls", "rogue", "PLAIN,LOGIN", SmtpSecurity::StartTls, kGood,
     kRefused + QStringLiteral("it was issued by an unknown authority.")},
};

INSTANTIATE_TEST_SUITE_P(Servers, MailOverTls, ::testing::ValuesIn(kTlsRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
