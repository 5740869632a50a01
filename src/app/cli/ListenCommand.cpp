#include "ListenCommand.h"

#include "CardFiles.h"
#include "CardOutput.h"
#include "CardsRun.h"
#include "CommandText.h"
#include "DataFolder.h"
#include "FilePlaces.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ListRow.h"
#include "ListenOptions.h"
#include "CommandDesign.h"
#include "MailSettings.h"
#include "Mailer.h"
#include "QsoCardSender.h"
#include "SentJournal.h"
#include "PersistentWindow.h"
#include "QsoListener.h"
#include "RowsCommand.h"
#include "SignalNotifier.h"
#include "DocumentCardPainter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QNetworkInterface>
#include <QSet>
#include <QTemporaryDir>
#include <QTextStream>

#include <atomic>
#include <cstdio>
#include <deque>
#include <memory>

namespace {

// How a `kartello listen --send` run e-mails the cards.
struct ListenSending
{
    QsoCardSender &sender;
    SendSettings settings;
};

// What a `kartello listen` run does with each QSO: prints its line and, with a painter, saves
// its card and contact info file into the folder, e-mails it, or both. A QSO that comes while
// a card goes out waits for it.
class ListenRun
{
public:
    ListenRun(QTextStream &out, CardPainter *painter, const QString &saveFolder, QString defaultPower,
              ListenSending *sending = nullptr)
        : m_out(out)
        , m_painter(painter)
        , m_folder(saveFolder)
        , m_defaultPower(std::move(defaultPower))
        , m_sending(sending)
    {
    }

    void take(const LoggedQso &qso)
    {
        m_waiting.push_back(qso);
        if (m_taking)
            return;
        m_taking = true;
        while (!m_waiting.empty()) {
            const LoggedQso next = std::move(m_waiting.front());
            m_waiting.pop_front();
            handle(next);
        }
        m_taking = false;
    }

    // Stops the card on its way at once, its connection aborted (a card the server has not
    // taken is not recorded); the QSOs after it are printed unsent.
    void stop()
    {
        m_stop = true;
        if (m_mailer)
            m_mailer->cancel();
    }

private:
    void handle(const LoggedQso &qso)
    {
        const QString row = listRow(qso.record, m_defaultPower);
        QStringList outcome;
        QString picture;
        if (m_painter && !m_folder.isEmpty())
            outcome << saveCard(row, m_folder, picture);
        if (m_sending)
            outcome << sendCard(qso.record, row, picture);
        if (outcome.isEmpty())
            outcome << QStringLiteral("received");
        m_out << receivedQsoLine(row, qso.clientId, outcome.join(QStringLiteral("; "))) << '\n';
        m_out.flush();
    }

    // The same two files as a `kartello cards` run makes of the row; picture is the card's path
    // once it is written.
    QString saveCard(const QString &row, const QString &folder, QString &picture)
    {
        try {
            QsoRecord filled;
            const QImage card = m_painter->paintCard(row, filled);
            const QString path = folder + cardBaseName(filled.callSign, QDateTime::currentDateTime())
                                 + cardFormatExtension(CardFormat::Jpg);
            writeCardPicture(CardFormat::Jpg, card, path);
            picture = path;
            writeBatchContactInfo(folder, parseListRow(row).email, filled);
            return QStringLiteral("card saved as %1").arg(path);
        } catch (...) {
            return QStringLiteral("card not saved: %1").arg(currentErrorText());
        }
    }

    // The card --save writes, e-mailed; without --save it is written into a folder of its own.
    QString sendCard(const AdifRecord &record, const QString &row, const QString &saved)
    {
        const SentQso qso = sentQsoOfRecord(record);
        const QString refusal = m_sending->sender.refusal(qso);
        if (!refusal.isEmpty())
            return refusal;
        QString picture = saved;
        if (picture.isEmpty()) {
            const QString folder = m_pictures.path() + QStringLiteral("/%1/").arg(++m_painted);
            if (!m_pictures.isValid() || !QDir().mkpath(folder))
                return QStringLiteral("not sent: ") + KartelloError::cannotCreate(folder).text();
            const QString made = saveCard(row, folder, picture);
            if (picture.isEmpty())
                return QStringLiteral("not sent: ") + made;
        }
        const CardToSend card = CardToSend::single(qso, picture, qso.call, parseListRow(row).signal);
        if (m_stop)
            return QStringLiteral("not sent: stopped");
        QString result;
        Mailer mailer;
        m_mailer = &mailer;
        struct Forget {
            Mailer *&mailer;
            ~Forget() { mailer = nullptr; }
        } forget{m_mailer};
        runBesideEventLoop(
            [&] { result = m_sending->sender.send(mailer, m_sending->settings, card, [this] { return m_stop.load(); }); },
            &m_stop, [this] { stop(); });
        return result;
    }

    QTextStream &m_out;
    CardPainter *m_painter;
    const QString m_folder;
    const QString m_defaultPower;
    ListenSending *m_sending;
    std::deque<LoggedQso> m_waiting;
    bool m_taking = false;
    std::atomic<bool> m_stop{false};
    // The mailer of the card on its way, for stop().
    Mailer *m_mailer = nullptr;
    QTemporaryDir m_pictures;
    int m_painted = 0;
};

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// The interfaces named by --interface; false, with a line on err, when one is not there.
bool findInterfaces(const QStringList &names, QList<QNetworkInterface> &interfaces, QTextStream &err)
{
    for (const QString &name : names) {
        const QNetworkInterface interface = QNetworkInterface::interfaceFromName(name);
        if (!interface.isValid()) {
            err << "kartello listen: there is no network interface \"" << name << "\"\n";
            return false;
        }
        interfaces << interface;
    }
    return true;
}

// Says once for each of the first senders refused why nothing of theirs arrives.
class RefusedSenders
{
public:
    explicit RefusedSenders(QTextStream &err) : m_err(err) {}

    void note(const QHostAddress &sender)
    {
        const QString text = sender.toString();
        if (m_named.size() >= NamedAtMost || m_named.contains(text))
            return;
        m_named.insert(text);
        m_err << "kartello listen: datagrams from " << text
              << " are refused: not this computer, and not allowed by --allow\n";
        m_err.flush();
    }

private:
    static constexpr int NamedAtMost = 16;
    QTextStream &m_err;
    QSet<QString> m_named;
};

// Runs until a signal; the QSOs that wait in the listener are taken before it returns.
int listenUntilSignal(const ListenOptions &options, ListenRun &run, QTextStream &err)
{
    SignalNotifier stopSignals;
    if (!stopSignals.isValid()) {
        err << "kartello listen: cannot watch for Ctrl-C\n";
        return 1;
    }
    QList<QNetworkInterface> interfaces;
    if (!findInterfaces(options.interfaces, interfaces, err))
        return 1;
    QsoListener listener;
    RefusedSenders refused(err);
    listener.setAllowedSenders(options.allowed);
    QObject::connect(&listener, &QsoListener::qsoReceived, [&](const LoggedQso &qso) { run.take(qso); });
    QObject::connect(&listener, &QsoListener::senderRefused, [&](const QHostAddress &sender) { refused.note(sender); });
    if (!listener.listen(options.address, interfaces)) {
        err << "kartello listen: " << listener.errorString() << '\n';
        return 1;
    }
    QObject::connect(&stopSignals, &SignalNotifier::received, [&](int signal) {
        run.stop();
        listener.close();
        QCoreApplication::exit(SignalNotifier::exitStatus(signal));
    });
    err << "kartello listen: listening on " << options.address.toString() << '\n';
    err.flush();
    const int status = QCoreApplication::exec();
    const QsoListener::Counts counts = listener.counts();
    err << "kartello listen: QSOs received: " << counts.qsos << ", datagrams refused: " << counts.refused
        << ", from senders not allowed: " << counts.strangers << '\n';
    return status;
}

// Runs with the cards of the QSOs painted by the design the window would show, as for
// `kartello cards`: saved into folder (unless it is empty), e-mailed as options say.
int listenMakingCards(const ListenOptions &options, const QString &folder, QTextStream &out, QTextStream &err)
{
    CommandDesign stored;
    if (!stored.readWhole(err, QStringLiteral("kartello listen: "),
                          QStringLiteral("no card can be made")))
        return 1;
    DocumentCardPainter painter(stored.document, stored.defaultPower);
    if (!options.send) {
        ListenRun run(out, &painter, folder, painter.defaultPower());
        return listenUntilSignal(options, run, err);
    }
    SystemSendClock clock;
    QsoCardSender sender(filePlaces().sentJournal, clock);
    ListenSending sending{sender, {}};
    try {
        sending.settings = sendSettingsFromFile(dataFilePath(QStringLiteral("smtp.onl")),
                                                stored.stationEmail(), 0);
        addStationMailText(sending.settings, stored.stationCallSign());
    } catch (const KartelloError &error) {
        err << "kartello listen: " << error.text() << '\n';
        return 1;
    }
    ListenRun run(out, &painter, folder, painter.defaultPower(), &sending);
    return listenUntilSignal(options, run, err);
}

} // namespace

int runListenCommand(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedListenOptions parsed = parseListenOptions(args);
    if (const std::optional<int> answered = answerCommandLine(
            QStringLiteral("listen"),
            CommandLineAsks{parsed.options.help, parsed.options.version, parsed.error},
            listenHelpText()))
        return *answered;
    const ListenOptions &options = parsed.options;
    if (options.saveFolder.isEmpty() && !options.send) {
        ListenRun run(out, nullptr, QString(),
                      rememberedPower(PersistentWindow::stateFilePath(), dataFilePath(QStringLiteral("Power.txt"))));
        return listenUntilSignal(options, run, err);
    }
    const QString folder = options.saveFolder.isEmpty() ? QString() : withSlash(options.saveFolder);
    if (!folder.isEmpty() && !QDir().mkpath(folder)) {
        err << "kartello listen: " << KartelloError::cannotCreate(folder).text() << '\n';
        return 1;
    }
    return listenMakingCards(options, folder, out, err);
}
