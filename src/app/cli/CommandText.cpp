#include "CommandText.h"

namespace {

// The word of args (before any "--") that names option, typed with one dash or two and
// perhaps a value after "="; "--" + option when none does.
QString typedWord(const QStringList &args, const QString &option)
{
    for (const QString &arg : args) {
        if (arg == QLatin1String("--"))
            break;
        const QString word = arg.left(arg.indexOf(QLatin1Char('=')));
        const qsizetype dashes = word.startsWith(QLatin1String("--")) ? 2 : 1;
        if (word.startsWith(QLatin1Char('-')) && word.mid(dashes) == option)
            return word;
    }
    return QStringLiteral("--") + option;
}

// A QCommandLineParser help text with "kartello <command>" in place of the executable's path.
QString helpWithCommandName(const QString &parserHelp, const QString &command)
{
    QString text = parserHelp;
    const qsizetype options = text.indexOf(QLatin1String(" [options]"));
    if (text.startsWith(QLatin1String("Usage: ")) && options > 0)
        text.replace(7, options - 7, QStringLiteral("kartello ") + command);
    return text;
}

} // namespace

void writeText(std::FILE *stream, const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

CommandParser::CommandParser(const QString &command, const QString &description)
    : m_command(command),
      m_help({QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Displays this help.")),
      m_version({QStringLiteral("v"), QStringLiteral("version")}, QStringLiteral("Displays the version."))
{
    m_parser.setApplicationDescription(description);
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_help, m_version});
}

bool CommandParser::parse(const QStringList &args)
{
    m_args = args;
    return m_parser.parse(QStringList{QStringLiteral("kartello ") + m_command} + args);
}

std::optional<int> CommandParser::parseOrAnswer(const QStringList &args)
{
    if (!parse(args))
        return answerCommandLine(m_command, CommandLineAsks{false, false, wordError()}, QString());
    return answerCommandLine(m_command, CommandLineAsks{helpAsked(), versionAsked(), QString()}, helpText());
}

bool CommandParser::helpAsked() const
{
    return m_parser.isSet(m_help);
}

bool CommandParser::versionAsked() const
{
    return m_parser.isSet(m_version);
}

QString CommandParser::wordError() const
{
    // An unknown option is named first, as it stands before a missing value, which can only
    // be the last word. Qt's texts are compared through its own translation, so that they
    // match in any language.
    if (!m_parser.unknownOptionNames().isEmpty())
        return QStringLiteral("unknown option %1").arg(typedWord(m_args, m_parser.unknownOptionNames().first()));
    const QString error = m_parser.errorText();
    if (!m_args.isEmpty() && error == QCommandLineParser::tr("Missing value after '%1'.").arg(m_args.last()))
        return QStringLiteral("%1 needs a value").arg(m_args.last());
    for (const QString &arg : m_args) {
        const QString word = arg.left(arg.indexOf(QLatin1Char('=')));
        if (arg.contains(QLatin1Char('=')) && error == QCommandLineParser::tr("Unexpected value after '%1'.").arg(word))
            return QStringLiteral("%1 takes no value").arg(word);
    }
    return error;
}

QString CommandParser::helpText() const
{
    return helpWithCommandName(m_parser.helpText(), m_command);
}

QString readCount(const QCommandLineParser &parser, const QCommandLineOption &option, int most,
                  int &number)
{
    for (const QString &value : parser.values(option)) {
        bool ok = false;
        number = value.toInt(&ok);
        if (!ok || number < 1 || number > most)
            return QStringLiteral("--%1 \"%2\" is not a number from 1 to %3").arg(option.names().last(), value).arg(most);
    }
    return QString();
}

std::optional<int> answerCommandLine(const QString &command, const CommandLineAsks &asks,
                                     const QString &helpText)
{
    if (asks.help) {
        writeText(stdout, helpText);
        return 0;
    }
    if (asks.version) {
        writeText(stdout, versionLine());
        return 0;
    }
    if (!asks.error.isEmpty()) {
        writeText(stderr, QStringLiteral("kartello %1: %2\nTry 'kartello %1 --help' for more information.\n")
                              .arg(command, asks.error));
        return 2;
    }
    return std::nullopt;
}

QString versionLine()
{
    return QStringLiteral("kartello " KARTELLO_VERSION "\n");
}
