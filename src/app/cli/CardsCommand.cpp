#include "CardsCommand.h"

#include "CardsOptions.h"
#include "CardsRun.h"
#include "ConsoleDialogs.h"
#include "MainWindow.h"
#include "StopSignals.h"
#include "UserDialogs.h"
#include "WindowCardPainter.h"

#include <QTextStream>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace {

// The window as the operator left it: data folder and state file read, card options applied,
// nothing shown and nothing written back when it goes. Errors met while it starts come back
// in problems; a card made from a design read in part would not be the operator's card.
std::unique_ptr<MainWindow> startHiddenWindow(ConsoleDialogs &dialogs, QStringList &problems)
{
    auto window = std::make_unique<MainWindow>();
    window->leaveStateFileAlone();
    window->onActivated();
    problems = dialogs.takeMessages();
    return window;
}

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
    QStringList problems;
    const std::unique_ptr<MainWindow> window = startHiddenWindow(dialogs, problems);
    if (!problems.isEmpty()) {
        for (const QString &problem : problems)
            err << "kartello cards: " << problem << '\n';
        err << "kartello cards: the station design could not be read whole; no card made\n";
        return 1;
    }
    installStopSignals();
    WindowCardPainter painter(*window);
    CardsRun run(parsed.options, painter, err, ::isatty(STDERR_FILENO) == 1);
    return exitStatus(run.run());
}
