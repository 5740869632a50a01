#include "KartelloError.h"
#include "MailSettings.h"

#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct LinesRow
{
    const char *name;
    QStringList lines;
    QString port;
    QString security;
    QString perMinute;
    QString error;   // empty: read
};

class MailSettingsFile : public ::testing::TestWithParam<LinesRow>
{
};

TEST_P(MailSettingsFile, ReadsThreeToSixLines)
{
    const LinesRow &row = GetParam();
    QString error;
    MailSettings s;
    try {
        s = mailSettingsFromLines(row.lines);
    } catch (const KartelloError &e) {
        error = e.text();
    }
    EXPECT_EQ(row.error, error);
    if (!row.error.isEmpty())
        return;
    EXPECT_EQ(row.lines.at(0), s.host);
    EXPECT_EQ(row.lines.at(1), s.userName);
    EXPECT_EQ(row.lines.at(2), s.password);
    EXPECT_EQ(row.port, s.port);
    EXPECT_EQ(row.security, s.security);
    EXPECT_EQ(row.perMinute, s.perMinute);
    // Written back, a file keeps what it said; the pace line only when there is one.
    const MailSettings again = mailSettingsFromLines(mailSettingsLines(s));
    EXPECT_EQ(row.perMinute, again.perMinute);
    EXPECT_EQ(row.perMinute.isEmpty() ? 5 : 6, mailSettingsLines(s).size());
}

const LinesRow kLinesRows[] = {
    {"ThreeLinesArePlainPort25", {"mail.example.com", "op", "pw"}, "25", "none", {}, {}},
    {"PortOnly", {"h", "u", "p", "587"}, "587", "none", {}, {}},
    {"FiveLines", {"h", "u", "p", "465", "tls"}, "465", "tls", {}, {}},
    {"SixthLineIsThePace", {"h", "u", "p", "587", "starttls", "12"}, "587", "starttls", "12", {}},
    {"LinesAfterTheSixthIgnored", {"h", "u", "p", "587", "starttls", "30", "y"}, "587", "starttls", "30", {}},
    {"TwoLines", {"h", "u"}, {}, {}, {}, "List index out of bounds (2)"},
    {"Empty", {}, {}, {}, {}, "List index out of bounds (0)"},
};

INSTANTIATE_TEST_SUITE_P(Files, MailSettingsFile, ::testing::ValuesIn(kLinesRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct PortRow
{
    const char *name;
    QString text;
    int port;   // 0: refused
};

class MailPortText : public ::testing::TestWithParam<PortRow>
{
};

TEST_P(MailPortText, OneTo65535)
{
    const PortRow &row = GetParam();
    if (row.port == 0) {
        EXPECT_THROW(mailPort(row.text), KartelloError);
        return;
    }
    EXPECT_EQ(row.port, mailPort(row.text));
}

const PortRow kPortRows[] = {
    {"Submission", "587", 587}, {"Blanks", " 465 ", 465}, {"Lowest", "1", 1}, {"Highest", "65535", 65535},
    {"Zero", "0", 0}, {"TooHigh", "65536", 0}, {"Negative", "-25", 0}, {"Word", "smtp", 0},
    {"Empty", "", 0}, {"Plus", "+25", 0}, {"Trailing", "25x", 0},
};

INSTANTIATE_TEST_SUITE_P(Ports, MailPortText, ::testing::ValuesIn(kPortRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct SecurityRow
{
    const char *name;
    QString text;
    SmtpSecurity security;
    bool refused;
};

class MailSecurityWord : public ::testing::TestWithParam<SecurityRow>
{
};

TEST_P(MailSecurityWord, ThreeWordsAnyCase)
{
    const SecurityRow &row = GetParam();
    if (row.refused) {
        EXPECT_THROW(mailSecurity(row.text), KartelloError);
        return;
    }
    EXPECT_EQ(int(row.security), int(mailSecurity(row.text)));
}

const SecurityRow kSecurityRows[] = {
    {"None", "none", SmtpSecurity::None, false},
    {"StartTls", "STARTTLS", SmtpSecurity::StartTls, false},
    {"Tls", " tls ", SmtpSecurity::ImplicitTls, false},
    {"Ssl", "ssl", SmtpSecurity::None, true},
    {"Empty", "", SmtpSecurity::None, true},
};

INSTANTIATE_TEST_SUITE_P(Words, MailSecurityWord, ::testing::ValuesIn(kSecurityRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct PortFollowRow
{
    const char *name;
    QString port;
    SmtpSecurity chosen;
    QString expected;
};

void PrintTo(const PortFollowRow &row, std::ostream *os) { *os << row.name; }

class PortFollowsSecurity : public ::testing::TestWithParam<PortFollowRow>
{
};

TEST_P(PortFollowsSecurity, OnlyWhileTheBoxHoldsAUsualPort)
{
    const PortFollowRow &row = GetParam();
    EXPECT_EQ(row.expected, portForSecurity(row.port, row.chosen));
}

const PortFollowRow kPortFollowRows[] = {
    {"DefaultToStartTls", "25", SmtpSecurity::StartTls, "587"},
    {"DefaultToTls", "25", SmtpSecurity::ImplicitTls, "465"},
    {"StartTlsPortToTls", "587", SmtpSecurity::ImplicitTls, "465"},
    {"TlsPortToStartTls", " 465 ", SmtpSecurity::StartTls, "587"},
    {"BackToNone", "587", SmtpSecurity::None, "25"},
    {"OwnPortStays", "2525", SmtpSecurity::StartTls, "2525"},
    {"EmptyStays", "", SmtpSecurity::ImplicitTls, ""},
};

INSTANTIATE_TEST_SUITE_P(Ports, PortFollowsSecurity, ::testing::ValuesIn(kPortFollowRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct PaceRow
{
    const char *name;
    QString text;
    int perMinute;   // 0: refused
};

class MailPaceText : public ::testing::TestWithParam<PaceRow>
{
};

TEST_P(MailPaceText, OneTo600CardsAMinute)
{
    const PaceRow &row = GetParam();
    int pace = 0;
    try {
        pace = mailPerMinute(row.text, 20);
    } catch (const KartelloError &e) {
        EXPECT_EQ(QStringLiteral("'%1' is not a valid number of cards a minute (1 to 600) in smtp.onl.").arg(row.text),
                  e.text());
    }
    EXPECT_EQ(row.perMinute, pace);
}

const PaceRow kPaceRows[] = {
    {"EmptyIsTheDefault", "", 20}, {"BlanksAreTheDefault", "  ", 20}, {"Twelve", "12", 12},
    {"Padded", " 30 ", 30},        {"One", "1", 1},                   {"Most", "600", 600},
    {"Zero", "0", 0},              {"TooMany", "601", 0},             {"Negative", "-5", 0},
    {"Word", "fast", 0},           {"Fraction", "2.5", 0},
};

INSTANTIATE_TEST_SUITE_P(Paces, MailPaceText, ::testing::ValuesIn(kPaceRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct RunSettingsRow
{
    const char *name;
    QByteArray file;        // null: no file
    QString operatorEmail;
    int perMinute;          // from the command line; 0 none
    QString error;          // empty: read
    quint16 port;
    SmtpSecurity security;
    QString userName;
    int pace;
};

class RunSettings : public ::testing::TestWithParam<RunSettingsRow>
{
};

TEST_P(RunSettings, FromTheFileAndTheOperator)
{
    const RunSettingsRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath("smtp.onl");
    if (!row.file.isNull()) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(row.file);
    }
    SendSettings s;
    QString error;
    try {
        s = sendSettingsFromFile(path, row.operatorEmail, row.perMinute);
    } catch (const KartelloError &e) {
        error = e.text();
    }
    EXPECT_EQ(QString(row.error).replace("%1", path), error);
    if (!error.isEmpty())
        return;
    EXPECT_EQ("mail.example.com", s.host);
    EXPECT_EQ(row.port, s.port);
    EXPECT_EQ(row.security, s.security);
    EXPECT_EQ(row.userName, s.userName);
    EXPECT_EQ(row.pace, s.perMinute);
    EXPECT_EQ(row.operatorEmail, s.operatorEmail);
}

const RunSettingsRow kRunSettingsRows[] = {
    {"ThreeLines", "mail.example.com\r\nyour user id\r\npw\r\n", "op@example.org", 0, {}, 25, SmtpSecurity::None, {}, 20},
    {"SixLines", " mail.example.com \r\nop\r\npw\r\n587\r\nstarttls\r\n12\r\n", "op@example.org", 0, {}, 587,
     SmtpSecurity::StartTls, "op", 12},
    {"CommandLinePace", "mail.example.com\r\nop\r\npw\r\n465\r\ntls\r\n12\r\n", "op@example.org", 50, {}, 465,
     SmtpSecurity::ImplicitTls, "op", 50},
    {"NoFile", QByteArray(), "op@example.org", 0,
     "%1 is missing: set the mail server in the window's mail settings first.", 0, SmtpSecurity::None, {}, 0},
    {"NoSender", "mail.example.com\r\nop\r\npw\r\n", "  ", 0,
     "The operator's e-mail address is empty: the cards need it as their sender.", 0, SmtpSecurity::None, {}, 0},
    {"BadPace", "mail.example.com\r\nop\r\npw\r\n587\r\nstarttls\r\nfast\r\n", "op@example.org", 0,
     "'fast' is not a valid number of cards a minute (1 to 600) in smtp.onl.", 0, SmtpSecurity::None, {}, 0},
};

INSTANTIATE_TEST_SUITE_P(Files, RunSettings, ::testing::ValuesIn(kRunSettingsRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(MailSettings, LoginOnlyWithARealUserName)
{
    const QString rows[][2] = {
        {"op@example.org", "op@example.org"}, {"your user id", ""}, {"  your user id ", ""},
        {"", ""}, {"   ", ""}, {"Your User Id", "Your User Id"},
    };
    for (const auto &row : rows)
        EXPECT_EQ(row[1], loginUserName(row[0])) << row[0].toStdString();
}

TEST(MailSettings, SendErrorQuotesTheServerReplyInsideTheFixedSentence)
{
    EXPECT_EQ(QStringLiteral("An error -550 no such user was detected upon trying to send the email."),
              sendErrorMessage(QStringLiteral("550 no such user")));
    EXPECT_EQ(QStringLiteral("An error -Socket Error # 10061\r\nConnection refused. was detected upon trying to send the email."),
              sendErrorMessage(QStringLiteral("Socket Error # 10061\r\nConnection refused.")));
}

TEST(MailSettings, CardPictureJpgThenGifUnderTheFileNameOfTheCallSign)
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    auto touch = [&](const QString &name) {
        QFile f(folder + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    };
    EXPECT_EQ(QString(), cardPictureToSend(folder, QStringLiteral("K1ABC/P")));
    touch(QStringLiteral("K1ABC_P.gif"));
    EXPECT_EQ(folder + QStringLiteral("K1ABC_P.gif"), cardPictureToSend(folder, QStringLiteral("K1ABC/P")));
    touch(QStringLiteral("K1ABC_P.jpg"));
    EXPECT_EQ(folder + QStringLiteral("K1ABC_P.jpg"), cardPictureToSend(folder, QStringLiteral("K1ABC/P")));
}

TEST(MailSettings, SavedOwnerOnlyAndWholeOrNotAtAll)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("smtp.onl"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old\r\n");
    old.close();
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    MailSettings s;
    s.host = QStringLiteral("smtp.example.com");
    s.userName = QStringLiteral("op");
    s.password = QStringLiteral("pw");
    saveMailSettings(path, s);
    QFile back(path);
    ASSERT_TRUE(back.open(QIODevice::ReadOnly));
    EXPECT_EQ(QByteArray("smtp.example.com\r\nop\r\npw\r\n25\r\nnone\r\n"), back.readAll());
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther | QFileDevice::WriteOther;
    EXPECT_EQ(QFileDevice::Permissions(), QFile::permissions(path) & others);
    EXPECT_THROW(saveMailSettings(dir.filePath(QStringLiteral("missing/smtp.onl")), s), KartelloError);
}

} // namespace
