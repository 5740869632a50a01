#include "AiosmtpdServer.h"
#include "CardMailRun.h"
#include "QsoCardSender.h"
#include "Mailer.h"
#include "ScriptedServer.h"
#include "SentJournal.h"
#include "TestCertificates.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <memory>
#include <string>
#include <vector>

namespace {

const QString kScripts = QStringLiteral(KARTELLO_SENDING_TEST_DIR);
const auto *const kCertificates =
    ::testing::AddGlobalTestEnvironment(new TestCertificates(QStringLiteral(KARTELLO_MAIL_TEST_DIR)));

// Time that passes only when the run waits, and every wait recorded.
class FakeClock : public SendClock
{
public:
    qint64 nowMs() override { return m_now; }
    bool wait(qint64 ms, const std::function<bool()> &stop) override
    {
        waits.push_back(ms);
        m_now += ms;
        return !(stop && stop());
    }
    QDate todayUtc() override { return QDate(2026, 12, 8); }

    std::vector<qint64> waits;

private:
    qint64 m_now = 5000000;
};

struct RunRow
{
    const char *name;
    int cards;
    const char *plan;              // what the server does wrong (smtp_fault_server.py)
    const char *certificate;       // the server's (make_certs.py)
    const char *password;
    bool nothingListens;           // the port is closed
    int perMinute;
    int stopAfter;                 // the operator stops once this many cards are settled; 0 never
    int sent;
    std::vector<std::string> failed;   // "K1AC: <the server's line>"
    int sessions;
    std::vector<int> waitsS;       // the waits of a second or more, in whole seconds
    QString stopReason;            // its start
    bool stopped;
};

void PrintTo(const RunRow &row, std::ostream *os) { *os << row.name; }

QString callOf(int i)
{
    return QStringLiteral("K1A") + QChar('A' + i);
}

// A picture of bytes of its own for each seed.
void writePicture(const QString &path, int seed)
{
    QByteArray bytes(3000 + 977 * seed, Qt::Uninitialized);
    QRandomGenerator rng(quint32(seed + 1));
    for (char &c : bytes)
        c = char(rng.bounded(256));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// Cards K1AA, K1AB, ... to k1aa@example.net, ..., each with a picture of its own bytes.
std::vector<CardToSend> makeCards(int count, const QString &folder)
{
    std::vector<CardToSend> cards;
    for (int i = 0; i < count; ++i) {
        const SentQso qso{callOf(i), QDate(2026, 11, 1).addDays(i).toString(QStringLiteral("yyyyMMdd")),
                          QStringLiteral("1200"), QStringLiteral("14.074"), QStringLiteral("FT8"),
                          callOf(i).toLower() + QStringLiteral("@example.net"), QString()};
        QDir().mkpath(folder + QStringLiteral("/%1").arg(i));
        const QString picture = folder + QStringLiteral("/%1/%2.jpg").arg(i).arg(callOf(i));
        writePicture(picture, i);
        cards.push_back(CardToSend::single(qso, picture, callOf(i)));
    }
    return cards;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The tab-separated lines a helper script prints.
std::vector<QStringList> scriptRows(const QStringList &arguments)
{
    std::vector<QStringList> rows;
    for (const QString &line : runPython(arguments).split('\n', Qt::SkipEmptyParts))
        rows.push_back(line.split('\t'));
    return rows;
}

class CardRun : public ::testing::TestWithParam<RunRow>
{
protected:
    SendSettings settings(const RunRow &row, quint16 port) const
    {
        SendSettings s;
        s.host = QStringLiteral("localhost");
        s.port = port;
        s.security = SmtpSecurity::StartTls;
        s.userName = QStringLiteral("dl1abc");
        s.password = QString::fromLatin1(row.password);
        s.operatorEmail = QStringLiteral("dl1abc@example.org");
        s.perMinute = row.perMinute;
        return s;
    }

    QTemporaryDir inbox;
    QTemporaryDir work;
};

TEST_P(CardRun, SendsEachCardOnceAndRecordsIt)
{
    const RunRow &row = GetParam();
    const QString cert = TestCertificates::path(QString::fromLatin1(row.certificate));
    std::unique_ptr<AiosmtpdServer> server;
    if (!row.nothingListens) {
        server = std::make_unique<AiosmtpdServer>(
            kScripts + QStringLiteral("/smtp_fault_server.py"),
            QStringList{inbox.path(), cert + QStringLiteral(".pem"), cert + QStringLiteral(".key"),
                        QString::fromLatin1(row.plan)});
        ASSERT_NE(0, server->port()) << server->errors().toStdString();
    }
    const quint16 port = server ? server->port() : unusedPort();
    const std::vector<CardToSend> cards = makeCards(row.cards, work.path());
    const QString journalPath = work.filePath(QStringLiteral("Sent.adi"));
    auto journal = std::make_unique<SentJournal>(journalPath);
    journal->open();
    Mailer mailer;
    mailer.smtp().readTimeoutMs = 20000;
    FakeClock clock;
    CardMailRun run(mailer, *journal, clock);
    int settled = 0;
    run.onCardDone = [&](int, const CardResult &) { ++settled; };
    run.stopRequested = [&] { return row.stopAfter > 0 && settled >= row.stopAfter; };
    const SendRunOutcome outcome = run.run(settings(row, port), cards);

    EXPECT_EQ(row.sent, outcome.sent);
    EXPECT_EQ(row.sessions, outcome.sessions);
    EXPECT_EQ(row.stopped, outcome.stopped);
    EXPECT_EQ(row.stopReason, outcome.stopReason.left(row.stopReason.size())) << outcome.stopReason.toStdString();
    if (row.stopReason.isEmpty())
        EXPECT_EQ(QString(), outcome.stopReason);
    std::vector<std::string> failed;
    for (size_t i = 0; i < cards.size(); ++i)
        if (outcome.cards[i].fate == CardFate::Failed)
            failed.push_back((cards[i].label + QStringLiteral(": ") + outcome.cards[i].reason).toStdString());
    EXPECT_EQ(row.failed, failed);
    std::vector<int> waits;
    for (qint64 ms : clock.waits)
        if (ms >= 1000)
            waits.push_back(int((ms + 500) / 1000));
    EXPECT_EQ(row.waitsS, waits);

    // Every card the server kept is a card the run counts as sent, kept once, with its picture.
    QHash<QString, QString> messageIdOfRecipient;
    for (const QStringList &m : scriptRows({kScripts + QStringLiteral("/decode_inbox.py"), inbox.path()})) {
        ASSERT_EQ(5, m.size()) << m.join('|').toStdString();
        EXPECT_FALSE(messageIdOfRecipient.contains(m[1])) << "twice: " << m[1].toStdString();
        messageIdOfRecipient.insert(m[1], m[2]);
        EXPECT_EQ(QStringLiteral("0"), m[4]) << "parser defects in message " << m[0].toStdString();
        const int i = m[3].mid(3, 1).at(0).unicode() - 'A';
        ASSERT_TRUE(i >= 0 && i < row.cards) << m[3].toStdString();
        EXPECT_EQ(callOf(i) + QStringLiteral(".jpg"), m[3]);
        EXPECT_EQ(callOf(i).toLower() + QStringLiteral("@example.net"), m[1]);
        EXPECT_TRUE(readAll(inbox.filePath(QStringLiteral("message%1.card").arg(m[0]))) == readAll(cards[i].attachments.front()))
            << "the picture of " << m[3].toStdString() << " differs";
        EXPECT_EQ(CardFate::Sent, outcome.cards[i].fate) << m[3].toStdString();
        EXPECT_EQ(outcome.cards[i].messageId, m[2]);
    }
    EXPECT_EQ(row.sent, messageIdOfRecipient.size());

    // The journal holds exactly the kept cards, read by an ADIF reader that is not Kartello's.
    journal.reset();
    const std::vector<QStringList> records = scriptRows({kScripts + QStringLiteral("/read_adif.py"), journalPath});
    ASSERT_FALSE(records.empty());
    EXPECT_TRUE(records.front().first().startsWith(QStringLiteral("header"))) << records.front().join('|').toStdString();
    EXPECT_EQ(size_t(row.sent + 1), records.size());
    for (size_t r = 1; r < records.size(); ++r) {
        const QStringList &fields = records[r];
        ASSERT_EQ(11, fields.size()) << fields.join('|').toStdString();
        const QString email = fields[6].mid(6);
        EXPECT_EQ(QStringLiteral("CALL=") + email.section('@', 0, 0).toUpper(), fields[0]);
        EXPECT_EQ(QStringLiteral("QSLSDATE=20261208"), fields[8]);
        EXPECT_EQ(QStringLiteral("APP_KARTELLO_MSGID=") + messageIdOfRecipient.value(email), fields[10]);
    }

    // A second run sends nothing that went out.
    SentJournal again(journalPath);
    again.open();
    EXPECT_EQ(row.sent, again.recordCount());
    if (row.failed.empty() && row.stopReason.isEmpty() && !row.stopped) {
        FakeClock clock2;
        CardMailRun run2(mailer, again, clock2);
        const SendRunOutcome second = run2.run(settings(row, port), cards);
        EXPECT_EQ(0, second.sent);
        EXPECT_EQ(0, second.sessions);
        EXPECT_EQ(row.cards, second.alreadySent);
    }
}

const char kGood[] = "app-pw-73";
const QString kNoStop;
constexpr int kFast = 60000;   // a card a millisecond: no pace to speak of

const RunRow kRunRows[] = {
    {"TwentyCardsInOneSession", 20, "{}", "localhost", kGood, false, kFast, 0, 20, {}, 1, {}, kNoStop, false},
    {"SessionEndsWith421", 6, R"({"reply421": [3]})", "localhost", kGood, false, kFast, 0, 6, {}, 2, {}, kNoStop, false},
    {"DroppedJustBefore250", 6, R"({"dropBefore": [3]})", "localhost", kGood, false, kFast, 0, 6, {}, 2, {}, kNoStop, false},
    {"DroppedJustAfter250", 6, R"({"dropAfter": [3]})", "localhost", kGood, false, kFast, 0, 6, {}, 2, {}, kNoStop, false},
    {"Greylisted450ThenSent", 6, R"({"recipients": {"k1ac@example.net": ["450 4.2.0 Greylisted, try again later"]}})",
     "localhost", kGood, false, kFast, 0, 6, {}, 2, {60}, kNoStop, false},
    {"Refused450FourTimes", 6,
     R"({"recipients": {"k1ac@example.net": ["450 4.2.0 Busy", "450 4.2.0 Busy", "450 4.2.0 Busy", "450 4.2.0 Busy"]}})",
     "localhost", kGood, false, kFast, 0, 5, {"K1AC: 450 4.2.0 Busy"}, 4, {60, 300, 900}, kNoStop, false},
    {"Refused550", 6, R"({"recipients": {"k1ac@example.net": ["550 5.1.1 No such user"]}})", "localhost", kGood,
     false, kFast, 0, 5, {"K1AC: 550 5.1.1 No such user"}, 1, {}, kNoStop, false},
    {"PacedTwentyAMinute", 4, "{}", "localhost", kGood, false, 20, 0, 4, {}, 1, {3, 3, 3}, kNoStop, false},
    {"StoppedByTheOperator", 6, "{}", "localhost", kGood, false, kFast, 2, 2, {}, 1, {}, kNoStop, true},
    {"WrongPassword", 6, "{}", "localhost", "wrong", false, kFast, 0, 0, {}, 0, {},
     QStringLiteral("535 5.7.8 Authentication credentials invalid"), false},
    {"UntrustedCertificate", 6, "{}", "rogue", kGood, false, kFast, 0, 0, {}, 0, {},
     QStringLiteral("The server's certificate was not accepted: it was issued by an unknown authority."), false},
    {"NothingListens", 6, "{}", "localhost", kGood, true, kFast, 0, 0, {}, 0, {},
     QStringLiteral("Connection refused (localhost:"), false},
};

INSTANTIATE_TEST_SUITE_P(Servers, CardRun, ::testing::ValuesIn(kRunRows),
                         [](const auto &info) { return std::string(info.param.name); });

// A card whose send ended without the server's answer may have been sent: the next run says
// so and sends it only when told to; a card the server refused after its data was not sent.
// The fault server on this machine with its plan, and the settings of a run against it.
struct FaultServer
{
    FaultServer(const QString &inbox, const char *plan)
        : server(kScripts + QStringLiteral("/smtp_fault_server.py"),
                 {inbox, cert + QStringLiteral(".pem"), cert + QStringLiteral(".key"), plan})
    {
    }
    SendSettings settings(int perMinute) const
    {
        return {QStringLiteral("localhost"), server.port(), SmtpSecurity::StartTls, QStringLiteral("dl1abc"),
                QString::fromLatin1(kGood), QStringLiteral("dl1abc@example.org"), perMinute, QString(), std::nullopt};
    }

    const QString cert = TestCertificates::path(QStringLiteral("localhost"));
    AiosmtpdServer server;
};

struct UnknownFateRow
{
    const char *name;
    const char *plan;
    CardFate firstRun;    // of K1AC
    CardFate secondRun;   // of K1AC, the others having been sent
};

void PrintTo(const UnknownFateRow &row, std::ostream *os) { *os << row.name; }

class UnknownFate : public ::testing::TestWithParam<UnknownFateRow>
{
protected:
    QTemporaryDir inbox;
    QTemporaryDir work;
};

TEST_P(UnknownFate, NextRunSkipsCardsThatMayHaveBeenSent)
{
    const UnknownFateRow &row = GetParam();
    FaultServer fault(inbox.path(), row.plan);
    ASSERT_NE(0, fault.server.port()) << fault.server.errors().toStdString();
    const SendSettings settings = fault.settings(kFast);
    const std::vector<CardToSend> cards = makeCards(4, work.path());
    const QString journalPath = work.filePath(QStringLiteral("Sent.adi"));
    const auto runOnce = [&](bool resend) {
        SentJournal journal(journalPath);
        journal.open();
        Mailer mailer;
        mailer.smtp().readTimeoutMs = 20000;
        FakeClock clock;
        CardMailRun run(mailer, journal, clock);
        run.resend = resend;
        return run.run(settings, cards);
    };
    EXPECT_EQ(row.firstRun, runOnce(false).cards[2].fate);
    const SendRunOutcome second = runOnce(false);
    EXPECT_EQ(row.secondRun, second.cards[2].fate);
    EXPECT_EQ(CardFate::AlreadySent, second.cards[3].fate);
    EXPECT_EQ(row.secondRun == CardFate::MaybeSent ? 1 : 0, second.maybeSent);
    EXPECT_EQ(CardFate::Sent, runOnce(true).cards[2].fate);

    // The journal's notes are no records to a logger.
    const std::vector<QStringList> records = scriptRows({kScripts + QStringLiteral("/read_adif.py"), journalPath});
    const int sentRecords = 3 + (row.secondRun == CardFate::Sent ? 1 : 0) + 4;
    EXPECT_EQ(size_t(1 + sentRecords), records.size());
}

INSTANTIATE_TEST_SUITE_P(
    Journal, UnknownFate,
    ::testing::Values(UnknownFateRow{"AnswerNeverCame", R"({"dropBefore": [3, 4, 5, 6]})", CardFate::Failed,
                                     CardFate::MaybeSent},
                      UnknownFateRow{"RefusedAfterItsData", R"({"refuse": [3]})", CardFate::Failed, CardFate::Sent}),
    [](const auto &info) { return std::string(info.param.name); });

// Cards handed over one at a time, as a listener does (the journal asked first, as the
// listener asks it): the pace holds from one QSO to the next, a QSO sent before goes no more,
// and a card the server keeps refusing for the time being is given up after short waits.
struct OneByOneRow
{
    const char *name;
    const char *plan;
    int perMinute;
    QStringList outcomes;   // of K1AA, K1AB and K1AA again
    std::vector<int> waitsS;
};

void PrintTo(const OneByOneRow &row, std::ostream *os) { *os << row.name; }

class OneByOne : public ::testing::TestWithParam<OneByOneRow>
{
protected:
    QTemporaryDir inbox;
    QTemporaryDir work;
};

TEST_P(OneByOne, EachQsoOnceAtThePace)
{
    const OneByOneRow &row = GetParam();
    FaultServer fault(inbox.path(), row.plan);
    ASSERT_NE(0, fault.server.port()) << fault.server.errors().toStdString();
    const SendSettings settings = fault.settings(row.perMinute);
    std::vector<CardToSend> cards = makeCards(2, work.path());
    cards.push_back(cards.front());
    FakeClock clock;
    QsoCardSender sender(work.filePath(QStringLiteral("Sent.adi")), clock);
    QStringList outcomes;
    for (const CardToSend &card : cards) {
        Mailer mailer;
        const QString refusal = sender.refusal(card.qsos.front());
        outcomes << (refusal.isEmpty() ? sender.send(mailer, settings, card) : refusal);
    }
    EXPECT_EQ(row.outcomes, outcomes);
    std::vector<int> waits;
    for (qint64 ms : clock.waits)
        if (ms >= 1000)
            waits.push_back(int((ms + 500) / 1000));
    EXPECT_EQ(row.waitsS, waits);
}

INSTANTIATE_TEST_SUITE_P(
    Listening, OneByOne,
    ::testing::Values(OneByOneRow{"PaceHoldsAcrossQsos", "{}", 2, {"sent", "sent", "already sent"}, {30}},
                      OneByOneRow{"GreylistedGivesUpSoon",
                                  R"({"recipients": {"k1ab@example.net": ["450 4.2.0 Busy", "450 4.2.0 Busy",
                                      "450 4.2.0 Busy", "450 4.2.0 Busy"]}})",
                                  kFast, {"sent", "not sent: 450 4.2.0 Busy", "already sent"}, {5, 15, 30}}),
    [](const auto &info) { return std::string(info.param.name); });

// One message for the QSOs of one call sign, with the pictures of all their cards: the journal
// gets a record per QSO with the message's Message-ID, and the group counts as sent, or as one
// that may have been sent, as its QSOs do.
struct GroupRow
{
    const char *name;
    const char *plan;
    std::vector<int> recordedBefore;   // QSOs of the group the journal holds before the run
    int sendingBefore;                 // a QSO whose "Sending" line got no answer; -1: none
    bool withTemplate;
    bool resend;
    CardFate fate;
    QString subject;                   // of the message the server kept; empty: none kept
    QString body;                      // its lines joined by "|"
};

void PrintTo(const GroupRow &row, std::ostream *os) { *os << row.name; }

class GroupRun : public ::testing::TestWithParam<GroupRow>
{
protected:
    QTemporaryDir inbox;
    QTemporaryDir work;
};

const MailTemplate kTemplate{QStringLiteral("QSL {CALL} de {MYCALL}: {QSOCOUNT}"),
                             QStringLiteral("Tnx fer {COUNT} QSOs, {NAME} stays:\n{QSOS}\n73 {MYCALL}")};

TEST_P(GroupRun, OneMessageForTheQsosOfOneCall)
{
    const GroupRow &row = GetParam();
    FaultServer fault(inbox.path(), row.plan);
    ASSERT_NE(0, fault.server.port()) << fault.server.errors().toStdString();
    SendSettings settings = fault.settings(kFast);
    settings.stationCall = QStringLiteral("N0CALL");
    if (row.withTemplate)
        settings.mailTemplate = kTemplate;
    const QString email = QStringLiteral("k1abc@example.net");
    CardToSend card;
    card.qsos = {{"K1ABC", "20261201", "1200", "14.074", "FT8", email, {}},
                 {"K1ABC", "20261202", "0930", "7.074", "FT8", email, {}},
                 {"K1ABC", "20261203", "181500", {}, "CW", email, "30m"}};
    card.reports = {QStringLiteral("-10"), QStringLiteral("-05"), QStringLiteral("599")};
    card.label = QStringLiteral("K1ABC");
    for (int i = 1; i <= 2; ++i) {
        card.attachments << work.filePath(QStringLiteral("K1ABC-%1.jpg").arg(i));
        writePicture(card.attachments.back(), i);
    }
    const QString journalPath = work.filePath(QStringLiteral("Sent.adi"));
    {
        SentJournal before(journalPath);
        before.open();
        for (int i : row.recordedBefore)
            before.append(card.qsos[size_t(i)], QDate(2026, 12, 4), QStringLiteral("<old@example.org>"));
        if (row.sendingBefore >= 0)
            before.markSending(card.qsos[size_t(row.sendingBefore)]);
    }
    auto journal = std::make_unique<SentJournal>(journalPath);
    journal->open();
    Mailer mailer;
    mailer.smtp().readTimeoutMs = 20000;
    FakeClock clock;
    CardMailRun run(mailer, *journal, clock);
    run.resend = row.resend;
    const SendRunOutcome outcome = run.run(settings, {card});
    journal.reset();
    ASSERT_EQ(1u, outcome.cards.size());
    EXPECT_EQ(row.fate, outcome.cards[0].fate) << outcome.cards[0].reason.toStdString();

    const std::vector<QStringList> messages =
        scriptRows({kScripts + QStringLiteral("/decode_inbox.py"), inbox.path(), QStringLiteral("--text")});
    ASSERT_EQ(row.subject.isEmpty() ? 0u : 1u, messages.size());
    if (!messages.empty()) {
        const QStringList &m = messages.front();
        ASSERT_EQ(9, m.size()) << m.join('|').toStdString();
        EXPECT_EQ(email, m[1]);
        EXPECT_EQ(outcome.cards[0].messageId, m[2]);
        EXPECT_EQ(QStringLiteral("0"), m[4]) << "parser defects";
        EXPECT_EQ(row.subject, m[5]);
        EXPECT_EQ(QStringLiteral("text/plain"), m[6]);
        EXPECT_EQ(row.body, m[7]);
        EXPECT_EQ(QStringLiteral("K1ABC-1.jpg,K1ABC-2.jpg"), m[8]);
        const QString kept = inbox.filePath(QStringLiteral("message%1.card").arg(m[0]));
        EXPECT_TRUE(readAll(kept) == readAll(card.attachments[0])) << "the first picture differs";
        EXPECT_TRUE(readAll(kept + QStringLiteral("2")) == readAll(card.attachments[1])) << "the second differs";
    }

    // Every QSO of a message sent gets its record, each one a record a logger imports; one
    // recorded before keeps its one record unless the card was sent again on purpose.
    const std::vector<QStringList> records = scriptRows({kScripts + QStringLiteral("/read_adif.py"), journalPath});
    std::vector<size_t> recorded;
    for (size_t i = 0; i < card.qsos.size() && row.fate == CardFate::Sent; ++i)
        if (row.resend || std::find(row.recordedBefore.begin(), row.recordedBefore.end(), int(i))
                              == row.recordedBefore.end())
            recorded.push_back(i);
    const size_t added = recorded.size();
    ASSERT_EQ(1 + row.recordedBefore.size() + added, records.size());
    for (size_t k = 0; k < added; ++k) {
        const QStringList &fields = records[records.size() - added + k];
        ASSERT_LE(3, fields.size()) << fields.join('|').toStdString();
        EXPECT_EQ(QStringLiteral("CALL=K1ABC"), fields[0]);
        EXPECT_EQ(QStringLiteral("QSO_DATE=") + card.qsos[recorded[k]].qsoDate, fields[1]);
        EXPECT_EQ(QStringLiteral("APP_KARTELLO_MSGID=") + outcome.cards[0].messageId, fields.last());
    }
    SentJournal after(journalPath);
    after.read();
    const bool sent = row.fate == CardFate::Sent || row.fate == CardFate::AlreadySent;
    EXPECT_EQ(sent, after.containsAll(card.qsos));
    EXPECT_EQ(row.fate == CardFate::MaybeSent, after.mayHaveBeenSentAny(card.qsos));
}

const QString kUsual = QStringLiteral("QSL card attachment from dl1abc@example.org");
const QString kGroupSubject = QStringLiteral("QSL K1ABC de N0CALL: 3 QSOs");
const QString kGroupBody = QStringLiteral("Tnx fer 3 QSOs, {NAME} stays:|2026-12-01 12:00 UTC, 20m, FT8, RST -10|"
                                          "2026-12-02 09:30 UTC, 40m, FT8, RST -05|"
                                          "2026-12-03 18:15 UTC, 30m, CW, RST 599|73 N0CALL");

INSTANTIATE_TEST_SUITE_P(
    Groups, GroupRun,
    ::testing::Values(
        GroupRow{"TemplateGivesTheText", "{}", {}, -1, true, false, CardFate::Sent, kGroupSubject, kGroupBody},
        GroupRow{"WithoutTemplateTheUsualText", "{}", {}, -1, false, false, CardFate::Sent, kUsual, kUsual},
        GroupRow{"EveryQsoSentBefore", "{}", {0, 1, 2}, -1, true, false, CardFate::AlreadySent, {}, {}},
        GroupRow{"OneQsoSentBeforeSendsTheGroup", "{}", {1}, -1, true, false, CardFate::Sent, kGroupSubject, kGroupBody},
        GroupRow{"OneQsoMayHaveBeenSent", "{}", {0}, 2, true, false, CardFate::MaybeSent, {}, {}},
        GroupRow{"ResendSendsItAnyway", "{}", {0}, 2, true, true, CardFate::Sent, kGroupSubject, kGroupBody},
        GroupRow{"RefusedAfterItsData", R"({"refuse": [1]})", {}, -1, true, false, CardFate::Failed, {}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
