// A card e-mailed to a local aiosmtpd by Kartello's mail component, timed against Python's
// smtplib sending the same message bytes to the same server in the same run: plain, and over
// STARTTLS with a login. Prints the median time of one send for both and their ratio
// (target: Kartello within 1.0 x of smtplib).
#include "Mailer.h"

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
// Both senders take turns in rounds, so a change in the machine's load falls on both alike.
constexpr int kRounds = 6;
constexpr int kSendsPerRound = 10;
constexpr int kSends = kRounds * kSendsPerRound;

class Server
{
public:
    explicit Server(const QStringList &arguments)
    {
        m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
        if (m_process.waitForReadyRead(20000))
            m_port = quint16(m_process.readLine().trimmed().toUInt());
    }
    ~Server()
    {
        m_process.closeWriteChannel();
        m_process.waitForFinished(10000);
    }
    quint16 port() const { return m_port; }

private:
    QProcess m_process;
    quint16 m_port = 0;
};

QString python(const QStringList &arguments)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), arguments);
    p.waitForFinished(600000);
    return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
}

void timeKartello(Mailer &mailer, std::vector<double> &times)
{
    for (int i = 0; i < kSendsPerRound; ++i) {
        const auto start = std::chrono::steady_clock::now();
        mailer.send();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
}

// smtplib's times of one round, added to times; false when the script failed.
bool timeSmtplib(const QStringList &arguments, std::vector<double> &times)
{
    bool ok = true;
    for (const QString &t : python(arguments).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        times.push_back(t.toDouble(&ok));
    return ok && !times.empty();
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0.0 : times[times.size() / 2];
}

// Times both senders against one server; returns false when a send failed.
bool compare(const char *title, const QStringList &serverArguments, SmtpSecurity security,
             const QString &card, const QString &inbox, const QString &ca)
{
    Server server(serverArguments);
    if (server.port() == 0)
        return false;
    Mailer mailer;
    bool failed = false;
    mailer.onSendError = [&](Mailer *, const QString &text) {
        std::fprintf(stderr, "%s: %s\n", title, qPrintable(text));
        failed = true;
    };
    mailer.host = QStringLiteral("localhost");
    mailer.port = server.port();
    mailer.security = security;
    mailer.userName = QStringLiteral("dl1abc");
    mailer.password = QStringLiteral("app-pw-73");
    mailer.from.address = QStringLiteral("dl1abc@example.org");
    mailer.recipients.add(QStringLiteral("k1abc@example.net"));
    mailer.subject = QStringLiteral("QSL card attachment from dl1abc@example.org");
    mailer.body = QStringList{mailer.subject};
    mailer.attachments.setFileName(card);
    const QString message = inbox + QStringLiteral("/message1.eml");
    const QString mode = security == SmtpSecurity::None ? QStringLiteral("plain") : QStringLiteral("starttls");
    const QStringList reference = {kBench + QStringLiteral("/smtplib_send.py"), QString::number(server.port()),
                                   mode, message, QString::number(kSendsPerRound), ca};
    std::vector<double> ours, theirs;
    for (int round = 0; round < kRounds; ++round) {
        timeKartello(mailer, ours);
        if (failed || !timeSmtplib(reference, theirs))
            return false;
    }
    const double kartello = median(ours);
    const double smtplib = median(theirs);
    std::printf("%-10s Kartello %7.3f ms   smtplib %7.3f ms   ratio %.2f x (target <= 1.0 x)\n", title,
                kartello, smtplib, kartello / smtplib);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir work;
    QDir(work.path()).mkpath(QStringLiteral("plain"));
    QDir(work.path()).mkpath(QStringLiteral("tls"));
    const QString card = work.filePath(QStringLiteral("K1ABC.jpg"));
    QFile f(card);
    f.open(QIODevice::WriteOnly);
    QByteArray bytes(45000, Qt::Uninitialized);   // about the size of a card picture
    QRandomGenerator rng(73);
    for (char &c : bytes)
        c = char(rng.bounded(256));
    f.write(bytes);
    f.close();
    python({kTests + QStringLiteral("/make_certs.py"), work.path()});
    const QString ca = work.filePath(QStringLiteral("ca.pem"));
    qputenv("SSL_CERT_FILE", QFile::encodeName(ca));
    std::printf("median of %d sends of a %lld-byte card to a local aiosmtpd\n", kSends, qint64(bytes.size()));
    const QString plain = work.filePath(QStringLiteral("plain"));
    const QString tls = work.filePath(QStringLiteral("tls"));
    const bool ok = compare("plain", {kTests + QStringLiteral("/smtp_sink.py"), plain}, SmtpSecurity::None,
                            card, plain, ca)
                    && compare("starttls",
                               {kTests + QStringLiteral("/smtp_tls_server.py"), tls, QStringLiteral("starttls"),
                                work.filePath(QStringLiteral("localhost.pem")),
                                work.filePath(QStringLiteral("localhost.key"))},
                               SmtpSecurity::StartTls, card, tls, ca);
    return ok ? 0 : 1;
}
