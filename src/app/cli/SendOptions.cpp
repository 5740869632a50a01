#include "SendOptions.h"

#include "LogArguments.h"

#include <optional>

namespace {

constexpr int MaxPerMinute = 600;

const QStringList ValueOptions =
    QStringList{QStringLiteral("--per-minute")} + CardSelection::optionNames();

// Sets the option name from its value text; returns the error line, empty when it is good.
QString applyValue(const QString &name, const QString &value, SendOptions &options)
{
    if (CardSelection::optionNames().contains(name)) {
        return options.selection.addOption(name, value);
    } else if (name == QLatin1String("--per-minute")) {
        bool ok = false;
        options.perMinute = value.toInt(&ok);
        if (!ok || options.perMinute < 1 || options.perMinute > MaxPerMinute)
            return QStringLiteral("--per-minute \"%1\" is not a number from 1 to %2").arg(value).arg(MaxPerMinute);
    }
    return QString();
}

bool applyFlag(const QString &name, SendOptions &options)
{
    if (name == QLatin1String("--dry-run") || name == QLatin1String("-n"))
        options.dryRun = true;
    else if (name == QLatin1String("--resend"))
        options.resend = true;
    else if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        options.help = true;
    else if (name == QLatin1String("--version"))
        options.version = true;
    else
        return false;
    return true;
}

} // namespace

ParsedSendOptions parseSendOptions(const QStringList &args)
{
    ParsedSendOptions parsed;
    SendOptions &options = parsed.options;
    const LogArgumentRules rules{
        [&options](const QString &word) { return applyFlag(word, options); }, ValueOptions,
        [&options](const QString &name, const QString &text) {
            return applyValue(name, text, options);
        }};
    parsed.error = walkLogArguments(args, rules, options.logs);
    if (!parsed.error.isEmpty())
        return parsed;
    if (options.logs.isEmpty() && !options.help && !options.version)
        parsed.error = QStringLiteral("no ADIF log given");
    return parsed;
}

QString sendHelpText()
{
    return QStringLiteral(
        "Usage: kartello send LOG.adi [more logs] [options]\n"
        "\n"
        "E-mails the QSL card of every QSO of the ADIF logs that has an address (EMAIL) to\n"
        "that address, with the station design of the window and through the server of the\n"
        "mail settings (smtp.onl in the data folder), all in one session. Each card the\n"
        "server accepts is recorded in Sent.adi in the data folder, which a logger can\n"
        "import; a QSO already recorded there is not sent again.\n"
        "\n"
        "Options:\n"
        "  --rows LIST       rows as `kartello rows` numbers them, e.g. 1-20,25 or 100-\n"
        "  --call CALLS      only these call signs, e.g. K1ABC or K1ABC,DL1XYZ\n"
        "  --since YYYYMMDD  only QSOs on or after this date\n"
        "  --dry-run, -n     list who would get which card; connect to nothing\n"
        "  --resend          send also the QSOs that Sent.adi holds already\n"
        "  --per-minute N    at most N cards a minute (default: line 6 of smtp.onl, else 20)\n"
        "  --help            this text\n"
        "  --version         the program's version\n"
        "\n"
        "Example:\n"
        "  kartello send contest.adi --since 20260101 --dry-run\n"
        "\n"
        "Exit status: 0 when every card was sent (or had been sent before, or has no\n"
        "address), 1 when a card or a log failed or the server refused the run, 2 for a\n"
        "wrong command line, 130 when stopped with Ctrl-C, 143 with SIGTERM, 129 with\n"
        "SIGHUP (the card on its way is finished and recorded first).\n");
}
