#include "CardsCommand.h"

#include "CardsOptions.h"
#include "CardsRun.h"
#include "CommandDesign.h"
#include "CommandText.h"
#include "DocumentCardPainter.h"
#include "FilePlaces.h"
#include "StopSignals.h"

#include <QTextStream>

#include <unistd.h>

int runCardsCommand(const QStringList &args)
{
    ParsedCardsOptions parsed = parseCardsOptions(args);
    const CommandLineAsks asks{parsed.options.help, parsed.options.version, parsed.error};
    if (const std::optional<int> status = answerCommandLine(QStringLiteral("cards"), asks, cardsHelpText()))
        return *status;
    QTextStream err(stderr);
    const QString journalError = parsed.options.selection.readJournal(filePlaces().sentJournal);
    if (!journalError.isEmpty()) {
        err << "kartello cards: " << journalError << "; no card made\n";
        return 1;
    }
    CommandDesign stored;
    if (!stored.readWhole(err, QStringLiteral("kartello cards: "), QStringLiteral("no card made")))
        return 1;
    installStopSignals();
    DocumentCardPainter painter(stored.document, stored.defaultPower,
                                stored.reading.design.options.qsosPerCard);
    CardsRun run(parsed.options, painter, err, ::isatty(STDERR_FILENO) == 1);
    return exitStatus(run.run());
}
