#include "ListenCommand.h"

#include "CardFiles.h"
#include "CardOutput.h"
#include "CardsRun.h"
#include "DataFolder.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ListRow.h"
#include "ListenOptions.h"
#include "CommandDesign.h"
#include "PersistentWindow.h"
#include "QsoListener.h"
#include "RowsCommand.h"
#include "SignalNotifier.h"
#include "DocumentCardPainter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace {

// What a `kartello listen` run does with each QSO: prints its line and, with a painter, saves
// its card and contact info file into the folder.
class ListenRun
{
public:
    ListenRun(QTextStream &out, CardPainter *painter, const QString &saveFolder, QString defaultPower)
        : m_out(out)
        , m_painter(painter)
        , m_folder(saveFolder)
        , m_defaultPower(std::move(defaultPower))
    {
    }

    void take(const LoggedQso &qso)
    {
        const QString row = listRow(qso.record, m_defaultPower);
        const QString outcome = m_painter ? saveCard(row) : QStringLiteral("received");
        m_out << receivedQsoLine(row, qso.clientId, outcome) << '\n';
        m_out.flush();
    }

private:
    // The same two files as a `kartello cards` run makes of the row.
    QString saveCard(const QString &row)
    {
        try {
            QsoRecord filled;
            const QImage card = m_painter->paintCard(row, filled);
            const QString path = m_folder + cardBaseName(filled.callSign, QDateTime::currentDateTime())
                                 + cardFormatExtension(CardFormat::Jpg);
            writeCardPicture(CardFormat::Jpg, card, path);
            writeBatchContactInfo(m_folder, parseListRow(row).email, filled);
            return QStringLiteral("card saved as %1").arg(path);
        } catch (...) {
            return QStringLiteral("card not saved: %1").arg(currentErrorText());
        }
    }

    QTextStream &m_out;
    CardPainter *m_painter;
    const QString m_folder;
    const QString m_defaultPower;
};

QString withSlash(const QString &folder)
{
    return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

// Runs until a signal; the QSOs that wait in the listener are taken before it returns.
int listenUntilSignal(const ListenOptions &options, ListenRun &run, QTextStream &err)
{
    SignalNotifier stopSignals;
    if (!stopSignals.isValid()) {
        err << "kartello listen: cannot watch for Ctrl-C\n";
        return 1;
    }
    QsoListener listener;
    QObject::connect(&listener, &QsoListener::qsoReceived, [&](const LoggedQso &qso) { run.take(qso); });
    if (!listener.listen(options.address)) {
        err << "kartello listen: " << listener.errorString() << '\n';
        return 1;
    }
    QObject::connect(&stopSignals, &SignalNotifier::received, [&](int signal) {
        listener.close();
        QCoreApplication::exit(SignalNotifier::exitStatus(signal));
    });
    err << "kartello listen: listening on " << options.address.toString() << '\n';
    err.flush();
    const int status = QCoreApplication::exec();
    const QsoListener::Counts counts = listener.counts();
    err << "kartello listen: QSOs received: " << counts.qsos << ", datagrams refused: " << counts.refused
        << '\n';
    return status;
}

} // namespace

int runListenCommand(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedListenOptions parsed = parseListenOptions(args);
    if (parsed.options.help) {
        out << listenHelpText();
        return 0;
    }
    if (parsed.options.version) {
        out << "kartello " << KARTELLO_VERSION << '\n';
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        err << "kartello listen: " << parsed.error << '\n'
            << "Try 'kartello listen --help' for more information.\n";
        return 2;
    }
    const ListenOptions &options = parsed.options;
    if (options.saveFolder.isEmpty()) {
        ListenRun run(out, nullptr, QString(),
                      rememberedPower(PersistentWindow::stateFilePath(), dataFilePath(QStringLiteral("Power.txt"))));
        return listenUntilSignal(options, run, err);
    }
    const QString folder = withSlash(options.saveFolder);
    if (!QDir().mkpath(folder)) {
        err << "kartello listen: " << KartelloError::cannotCreate(folder).text() << '\n';
        return 1;
    }
    // The design the window would show paints the cards, as for `kartello cards`.
    CommandDesign stored;
    if (!stored.readWhole(err, QStringLiteral("kartello listen: "),
                          QStringLiteral("no card can be made")))
        return 1;
    DocumentCardPainter painter(stored.document, stored.design.defaultPower);
    ListenRun run(out, &painter, folder, painter.defaultPower());
    return listenUntilSignal(options, run, err);
}
