#include "CardsCommand.h"

#include "CardsOptions.h"
#include "CardsRun.h"
#include "ConsoleDialogs.h"
#include "CardDesignLoader.h"
#include "CardDocument.h"
#include "PersistentWindow.h"
#include "StopSignals.h"
#include "UserDialogs.h"
#include "DocumentCardPainter.h"

#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// Restores the real dialogs however the run ends.
struct DialogsInstalled
{
    explicit DialogsInstalled(UserDialogs *dialogs) { setUserDialogs(dialogs); }
    ~DialogsInstalled() { setUserDialogs(nullptr); }
};

} // namespace

int runCardsCommand(const QStringList &args)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedCardsOptions parsed = parseCardsOptions(args);
    if (parsed.options.help) {
        out << cardsHelpText();
        return 0;
    }
    if (parsed.options.version) {
        out << "kartello " << KARTELLO_VERSION << '\n';
        return 0;
    }
    if (!parsed.error.isEmpty()) {
        err << "kartello cards: " << parsed.error << '\n'
            << "Try 'kartello cards --help' for more information.\n";
        return 2;
    }
    ConsoleDialogs dialogs;
    DialogsInstalled installed(&dialogs);
    // The design as the window would show it at its next start; a card made from a design
    // read in part would not be the operator's card.
    CardDocument document;
    const LoadedDesign design = loadCardDesign(document, PersistentWindow::stateFilePath());
    if (!design.problems.isEmpty()) {
        for (const QString &problem : design.problems)
            err << "kartello cards: " << problem << '\n';
        err << "kartello cards: the station design could not be read whole; no card made\n";
        return 1;
    }
    installStopSignals();
    DocumentCardPainter painter(document, design.defaultPower);
    CardsRun run(parsed.options, painter, err, ::isatty(STDERR_FILENO) == 1);
    return exitStatus(run.run());
}
