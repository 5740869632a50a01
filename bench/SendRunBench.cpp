// A run of 100 cards e-mailed over STARTTLS with a login to a local aiosmtpd, in one session
// with a journal record synced after each card, timed against Python's smtplib sending the
// same 100 messages in one session, and against 100 single sessions of the mail component
// (100 Send QSL clicks). Prints the median of a few rounds of each, side by side (target:
// the run within 1.0 x of smtplib).
#include "CardMailRun.h"
#include "Mailer.h"
#include "SentJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

const QString kTests = QStringLiteral(KARTELLO_MAIL_TEST_DIR);
const QString kBench = QStringLiteral(KARTELLO_BENCH_DIR);
constexpr int kCards = 100;
constexpr int kRounds = 3;

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

QString python(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), arguments);
    p.waitForFinished(600000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0.0 : times[times.size() / 2];
}

std::vector<CardToSend> makeCards(const QString &folder)
{
    std::vector<CardToSend> cards;
    QRandomGenerator rng(73);
    for (int i = 0; i < kCards; ++i) {
        const QString call = QStringLiteral("K%1AB").arg(i);
        QDir().mkpath(folder + QStringLiteral("/%1").arg(i));
        const CardToSend card = CardToSend::single(
            {call, QStringLiteral("20261201"), QStringLiteral("1200"), QStringLiteral("14.074"), QStringLiteral("FT8"),
             call.toLower() + QStringLiteral("@example.net"), QString()},
            folder + QStringLiteral("/%1/%2.jpg").arg(i).arg(call), call);
        QByteArray bytes(45000, Qt::Uninitialized);   // about the size of a card picture
        for (char &c : bytes)
            c = char(rng.bounded(256));
        QFile f(card.attachments.front());
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        cards.push_back(card);
    }
    return cards;
}

SendSettings settings(quint16 port)
{
    SendSettings s;
    s.host = QStringLiteral("localhost");
    s.port = port;
    s.security = SmtpSecurity::StartTls;
    s.userName = QStringLiteral("dl1abc");
    s.password = QStringLiteral("app-pw-73");
    s.operatorEmail = QStringLiteral("dl1abc@example.org");
    s.perMinute = 1000000;   // no pace: the run as fast as the server takes it
    return s;
}

// The whole run in one session; -1 when a card did not go out.
double timeRun(const std::vector<CardToSend> &cards, quint16 port, SentJournal &journal)
{
    Mailer mailer;
    SystemSendClock clock;
    CardMailRun run(mailer, journal, clock);
    run.resend = true;
    const auto start = Clock::now();
    const SendRunOutcome outcome = run.run(settings(port), cards);
    const double ms = msSince(start);
    if (outcome.sent != kCards) {
        std::fprintf(stderr, "run: %d of %d sent %s\n", outcome.sent, kCards, qPrintable(outcome.stopReason));
        return -1;
    }
    return ms;
}

// Each card in a session of its own, as Send QSL sends one.
double timeSingleSessions(const std::vector<CardToSend> &cards, quint16 port)
{
    Mailer mailer;
    fillMailServer(mailer, settings(port));
    fillCardMail(mailer, QStringLiteral("dl1abc@example.org"));
    bool failed = false;
    mailer.onSendError = [&](Mailer *, const QString &text) {
        std::fprintf(stderr, "single: %s\n", qPrintable(text));
        failed = true;
    };
    EmailAddress &recipient = mailer.recipients.add();
    const auto start = Clock::now();
    for (const CardToSend &card : cards) {
        recipient.address = card.recipient();
        mailer.attachments.setAttachedFiles(card.attachments);
        mailer.send();
    }
    return failed ? -1 : msSince(start);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    const QString inbox = work.filePath(QStringLiteral("inbox"));
    QDir().mkpath(inbox);
    python({kTests + QStringLiteral("/make_certs.py"), work.path()});
    const QString ca = work.filePath(QStringLiteral("ca.pem"));
    qputenv("SSL_CERT_FILE", QFile::encodeName(ca));
    const std::vector<CardToSend> cards = makeCards(work.filePath(QStringLiteral("cards")));

    QProcess server;
    server.start(QStringLiteral("/usr/bin/python3"),
                 {kTests + QStringLiteral("/smtp_tls_server.py"), inbox, QStringLiteral("starttls"),
                  work.filePath(QStringLiteral("localhost.pem")), work.filePath(QStringLiteral("localhost.key"))});
    if (!server.waitForReadyRead(20000))
        return 1;
    const quint16 port = quint16(server.readLine().trimmed().toUInt());
    SentJournal journal(work.filePath(QStringLiteral("Sent.adi")));
    journal.open();

    std::vector<double> ours, theirs, single;
    for (int round = 0; round < kRounds; ++round) {
        ours.push_back(timeRun(cards, port, journal));
        // The messages the first run left on the server are what smtplib sends.
        bool ok = false;
        theirs.push_back(python({kBench + QStringLiteral("/smtplib_session.py"), QString::number(port), inbox,
                                 QString::number(kCards), ca}).toDouble(&ok));
        single.push_back(timeSingleSessions(cards, port));
        if (!ok || ours.back() < 0 || single.back() < 0)
            return 1;
    }
    server.closeWriteChannel();
    server.waitForFinished(10000);
    const double run = median(ours), reference = median(theirs), each = median(single);
    std::printf("%d cards of %d bytes over STARTTLS + AUTH to a local aiosmtpd, median of %d rounds\n",
                kCards, 45000, kRounds);
    std::printf("one session (kartello send)   %8.1f ms   %6.2f ms/card\n", run, run / kCards);
    std::printf("one session (smtplib)         %8.1f ms   %6.2f ms/card   ratio %.2f x (target <= 1.0 x)\n",
                reference, reference / kCards, run / reference);
    std::printf("%d single sessions (Send QSL) %8.1f ms   %6.2f ms/card   %.1f x the run\n", kCards, each,
                each / kCards, each / run);
    return 0;
}
