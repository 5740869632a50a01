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
    bool help = false;
    bool version = false;
};

// The command line of such a command: the logs, the selection (--rows, --call, --since),
// --help and --version. The command adds its own options to parser().
class LogCommandLine : public CommandParser
{
public:
    LogCommandLine(const QString &command, const QString &description);

    // Reads args into options. Unless help or version is asked, the logs and the selection
    // are read, then readOwn() reads the command's own options, and at least one log must
    // be given. Returns the first error line, empty when the command may run.
    QString read(const QStringList &args, LogCommandOptions &options,
                 const std::function<QString()> &readOwn);
};
