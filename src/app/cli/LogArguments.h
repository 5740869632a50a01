#pragma once

#include "CardSelection.h"
#include "CommandText.h"

#include <QString>
#include <QStringList>

#include <functional>

// Adds the ADIF logs a command reads to its help: "LOG.adi [LOG2.adi ...]", "-" for standard
// input. They may stand among the options; after "--" every word is a log.
void addLogArgument(QCommandLineParser &parser);

// What a command that makes the cards of ADIF logs was asked ("kartello cards", "kartello
// send"); each command's options add their own to it.
struct LogCommandOptions
{
    // In the order given; "-" is standard input.
    QStringList logs;
    CardSelection selection;
    // --group-by-call: the QSOs of one call sign share cards, up to perCard a card.
    bool groupByCall = false;
    // --per-card: the QSOs a grouped card lists at most; 0 takes the design's "QSOs per card".
    int perCard = 0;
    bool help = false;
    bool version = false;
};

// The command line of such a command: the logs, the selection (--rows, --call, --since),
// the grouping (--group-by-call, --per-card), --help and --version. The command adds its own options to parser().
class LogCommandLine : public CommandParser
{
public:
    QCommandLineOption groupByCall{
        QStringLiteral("group-by-call"),
        QStringLiteral("Puts the QSOs of one call sign together on its cards, in time order, as many\n"
                       "to a card as the design's \"QSOs per card\" (or --per-card) allows.")};
    QCommandLineOption perCard{QStringLiteral("per-card"),
                               QStringLiteral("With --group-by-call: QSOs a card lists at most, 1 to 6.\n"
                                              "(default: the design's \"QSOs per card\")."),
                               QStringLiteral("N")};

    LogCommandLine(const QString &command, const QString &description);

    // Reads args into options. Unless help or version is asked, the logs and the selection
    // are read, then readOwn() reads the command's own options, and at least one log must
    // be given. Returns the first error line, empty when the command may run.
    QString read(const QStringList &args, LogCommandOptions &options,
                 const std::function<QString()> &readOwn);
};
