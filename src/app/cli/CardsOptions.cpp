#include "CardsOptions.h"

#include "LogArguments.h"

#include <optional>

namespace {

constexpr int MaxJobs = 64;

const QStringList ValueOptions = QStringList{QStringLiteral("--format"), QStringLiteral("--out"),
                                             QStringLiteral("--jobs")}
                                  + CardSelection::optionNames();

// Sets the option name from its value text; returns the error line, empty when it is good.
QString applyValue(const QString &name, const QString &value, CardsOptions &options)
{
    if (name == QLatin1String("--format")) {
        if (!cardFormatFromName(value, options.format))
            return QStringLiteral("unknown format \"%1\" (jpg, gif, png or pdf)").arg(value);
    } else if (name == QLatin1String("--out")) {
        if (value.isEmpty())
            return QStringLiteral("--out needs a folder");
        options.outFolder = value;
    } else if (CardSelection::optionNames().contains(name)) {
        return options.selection.addOption(name, value);
    } else if (name == QLatin1String("--jobs")) {
        bool ok = false;
        options.jobs = value.toInt(&ok);
        if (!ok || options.jobs < 1 || options.jobs > MaxJobs)
            return QStringLiteral("--jobs \"%1\" is not a number from 1 to %2").arg(value).arg(MaxJobs);
    }
    return QString();
}

// A flag without value; false when name is no flag.
bool applyFlag(const QString &name, CardsOptions &options)
{
    if (name == QLatin1String("--no-info"))
        options.contactInfo = false;
    else if (name == QLatin1String("--help") || name == QLatin1String("-h"))
        options.help = true;
    else if (name == QLatin1String("--version"))
        options.version = true;
    else
        return false;
    return true;
}

} // namespace

bool cardFormatFromName(const QString &name, CardFormat &format)
{
    const QString n = name.toLower();
    if (n == QLatin1String("jpg") || n == QLatin1String("jpeg"))
        format = CardFormat::Jpg;
    else if (n == QLatin1String("gif"))
        format = CardFormat::Gif;
    else if (n == QLatin1String("png"))
        format = CardFormat::Png;
    else if (n == QLatin1String("pdf"))
        format = CardFormat::Pdf;
    else
        return false;
    return true;
}

QString cardFormatExtension(CardFormat format)
{
    switch (format) {
    case CardFormat::Jpg: return QStringLiteral(".jpg");
    case CardFormat::Gif: return QStringLiteral(".gif");
    case CardFormat::Png: return QStringLiteral(".png");
    case CardFormat::Pdf: return QStringLiteral(".pdf");
    }
    return QString();
}

ParsedCardsOptions parseCardsOptions(const QStringList &args)
{
    ParsedCardsOptions parsed;
    CardsOptions &options = parsed.options;
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

QString cardsHelpText()
{
    return QStringLiteral(
        "Usage: kartello cards LOG.adi [more logs] [options]\n"
        "       (\"-\" as a log reads standard input)\n"
        "\n"
        "Makes a QSL card for every QSO of the ADIF logs with the station design of the\n"
        "window (the data folder and Kartello.ini, see \"kartello paths\"), without a display.\n"
        "\n"
        "Options:\n"
        "  --format FORMAT   jpg (default), gif, png or pdf\n"
        "                      jpg  JPEG at quality 100, as JPG Selected writes it\n"
        "                      gif  GIF in the 216-colour cube, as Create GIF writes it\n"
        "                      png  PNG, lossless\n"
        "                      pdf  three cards to a Letter page as Print Selected lays\n"
        "                           them out, lossless, one file per log\n"
        "  --out DIR         folder for the cards (created when missing; default: here)\n"
        "  --rows LIST       rows as `kartello rows` numbers them, e.g. 1-20,25 or 100-\n"
        "                    (given again, the rows add up)\n"
        "  --call CALLS      only these call signs, e.g. K1ABC or K1ABC,DL1XYZ\n"
        "                    (given again, the call signs add up)\n"
        "  --since YYYYMMDD  only QSOs on or after this date\n"
        "  --jobs N          encoding workers (default: the number of cores)\n"
        "  --no-info         no contact info file beside each card\n"
        "  --help            this text\n"
        "  --version         the program's version\n"
        "\n"
        "Example:\n"
        "  kartello cards contest.adi --format pdf --out ~/QSL --since 20260101\n"
        "\n"
        "Exit status: 0 when every selected card was written, 1 when a card or a log\n"
        "failed, 2 for a wrong command line; 129, 130 or 143 when stopped by SIGHUP,\n"
        "Ctrl-C (SIGINT) or SIGTERM, after the card being made.\n");
}
