#include "CardsOptions.h"

namespace {

constexpr int MaxJobs = 64;

struct CardsCommandLine : LogCommandLine
{
    QCommandLineOption format{QStringLiteral("format"),
                              QStringLiteral("jpg (default), gif, png or pdf, as Formats below says."),
                              QStringLiteral("FORMAT")};
    QCommandLineOption out{QStringLiteral("out"),
                           QStringLiteral("The folder for the cards, created when missing (default: the "
                                          "current folder)."),
                           QStringLiteral("DIR")};
    QCommandLineOption jobs{QStringLiteral("jobs"),
                            QStringLiteral("Encoding workers, 1 to %1 (default: the number of cores).").arg(MaxJobs),
                            QStringLiteral("N")};
    QCommandLineOption noInfo{QStringLiteral("no-info"), QStringLiteral("No contact info file beside each card.")};

    CardsCommandLine()
        : LogCommandLine(QStringLiteral("cards"),
                         QStringLiteral("Makes a QSL card for every QSO of the ADIF logs with the station design of "
                                        "the\nwindow (the data folder and Kartello.ini, see \"kartello paths\"), "
                                        "without a\ndisplay."))
    {
        parser().addOptions({format, out, jobs, noInfo});
    }

    // The options only `kartello cards` takes; returns the error line, empty when they are good.
    QString readOwn(CardsOptions &options) const
    {
        const QCommandLineParser &p = parser();
        for (const QString &name : p.values(format))
            if (!cardFormatFromName(name, options.format))
                return QStringLiteral("unknown format \"%1\" (jpg, gif, png or pdf)").arg(name);
        for (const QString &folder : p.values(out)) {
            if (folder.isEmpty())
                return QStringLiteral("--out needs a folder");
            options.outFolder = folder;
        }
        const QString error = readCount(p, jobs, MaxJobs, options.jobs);
        if (!error.isEmpty())
            return error;
        options.contactInfo = !p.isSet(noInfo);
        return QString();
    }
};

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
    CardsCommandLine line;
    ParsedCardsOptions parsed;
    parsed.error = line.read(args, parsed.options, [&] { return line.readOwn(parsed.options); });
    return parsed;
}

QString cardsHelpText()
{
    return CardsCommandLine().helpText()
           + QStringLiteral(
               "\n"
               "Formats:\n"
               "  jpg  JPEG at quality 100, as JPG Selected writes it\n"
               "  gif  GIF in the 216-colour cube, as Create GIF writes it\n"
               "  png  PNG, lossless\n"
               "  pdf  three cards to a Letter page as Print Selected lays them out, lossless,\n"
               "       one file per log\n"
               "\n"
               "Example:\n"
               "  kartello cards contest.adi --format pdf --out ~/QSL --since 20260101\n"
               "\n"
               "Exit status: 0 when every selected card was written, 1 when a card or a log\n"
               "failed, 2 for a wrong command line; 129, 130 or 143 when stopped by SIGHUP,\n"
               "Ctrl-C (SIGINT) or SIGTERM, after the card being made.\n");
}
