#include "CardsCommand.h"

#include "CardsOptions.h"
#include "CardsRun.h"
#include "CommandDesign.h"
#include "DocumentCardPainter.h"
#include "StopSignals.h"

#include <QTextStream>

#include <unistd.h>

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
    CommandDesign stored;
    if (!stored.readWhole(err, QStringLiteral("kartello cards: "), QStringLiteral("no card made")))
        return 1;
    installStopSignals();
    DocumentCardPainter painter(stored.document, stored.design.defaultPower);
    CardsRun run(parsed.options, painter, err, ::isatty(STDERR_FILENO) == 1);
    return exitStatus(run.run());
}
