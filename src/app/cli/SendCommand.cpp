#include "SendCommand.h"

#include "ConsoleDialogs.h"
#include "DataFolder.h"
#include "KartelloError.h"
#include "MailSettings.h"
#include "CardDesignLoader.h"
#include "CardDocument.h"
#include "CardElements.h"
#include "PersistentWindow.h"
#include "SendOptions.h"
#include "SendRun.h"
#include "SentJournal.h"
#include "StopSignals.h"
#include "UserDialogs.h"
#include "DocumentCardPainter.h"

#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

const char Prefix[] = "kartello send: ";

// Restores the real dialogs however the run ends.
struct DialogsInstalled
{
    explicit DialogsInstalled(UserDialogs *dialogs) { setUserDialogs(dialogs); }
    ~DialogsInstalled() { setUserDialogs(nullptr); }
};

} // namespace

int runSendCommand(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedSendOptions parsed = parseSendOptions(args);
    if (parsed.options.help) {
        out << sendHelpText();
        return 0;
    }
    if (parsed.options.version) {
        out << "kartello " << KARTELLO_VERSION << '\n';
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        err << Prefix << parsed.error << '\n' << "Try 'kartello send --help' for more information.\n";
        return 2;
    }
    ConsoleDialogs dialogs;
    DialogsInstalled installed(&dialogs);
    CardDocument document;
    const LoadedDesign design = loadCardDesign(document, PersistentWindow::stateFilePath());
    if (!design.problems.isEmpty()) {
        for (const QString &problem : design.problems)
            err << Prefix << problem << '\n';
        err << Prefix << "the station design could not be read whole; no card sent\n";
        return 1;
    }
    const int emailLine = int(card::identityEdits().indexOf(QStringLiteral("EmailEdit1")));
    const QString operatorEmail = design.identity.value(emailLine);
    SendSettings settings;
    if (!parsed.options.dryRun) {
        try {
            settings = sendSettingsFromFile(dataFilePath(QStringLiteral("smtp.onl")), operatorEmail,
                                            parsed.options.perMinute);
        } catch (const KartelloError &error) {
            err << Prefix << error.text() << '\n';
            return 1;
        }
    }
    installStopSignals();
    DocumentCardPainter painter(document, design.defaultPower);
    SendRun run(parsed.options, painter, out, err, ::isatty(STDERR_FILENO) == 1);
    return run.run(dataFilePath(SentJournalFileName), settings);
}
