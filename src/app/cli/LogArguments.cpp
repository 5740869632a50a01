#include "LogArguments.h"

#include "CardOptions.h"

void addLogArgument(QCommandLineParser &parser)
{
    parser.addPositionalArgument(QStringLiteral("logs"), QStringLiteral("ADIF log files (\"-\" reads standard input)"),
                                 QStringLiteral("LOG.adi [LOG2.adi ...]"));
}

LogCommandLine::LogCommandLine(const QString &command, const QString &description)
    : CommandParser(command, description)
{
    addLogArgument(parser());
    parser().addOptions(CardSelection::commandLineOptions());
    parser().addOptions({groupByCall, perCard});
}

QString LogCommandLine::read(const QStringList &args, LogCommandOptions &options,
                             const std::function<QString()> &readOwn)
{
    if (!parse(args))
        return wordError();
    options.help = helpAsked();
    options.version = versionAsked();
    if (options.help || options.version)
        return QString();
    options.logs = parser().positionalArguments();
    QString error = options.selection.read(parser());
    options.groupByCall = parser().isSet(groupByCall);
    if (error.isEmpty())
        error = readCount(parser(), perCard, card::kMaxQsosPerCard, options.perCard);
    if (error.isEmpty() && options.perCard > 0 && !options.groupByCall)
        error = QStringLiteral("--per-card needs --group-by-call");
    if (error.isEmpty())
        error = readOwn();
    if (error.isEmpty() && options.logs.isEmpty())
        error = QStringLiteral("no ADIF log given");
    return error;
}
