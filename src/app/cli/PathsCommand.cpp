#include "PathsCommand.h"

#include "CommandText.h"
#include "DataFolder.h"
#include "KartelloError.h"
#include "PersistentWindow.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

// The parser's help with "kartello paths" in place of the executable's path.
QString helpText(const QCommandLineParser &parser)
{
    return helpWithCommandName(parser.helpText(), QStringLiteral("paths"));
}

QString row(const char *name, const QString &path)
{
    return QStringLiteral("%1 %2").arg(QLatin1String(name) + QLatin1Char(':'), -17).arg(path);
}

QString marked(const QString &path)
{
    return QFileInfo::exists(path) ? path : path + QStringLiteral(" (missing)");
}

// The card folder as "lfile.qec" names it, "~/" spelt out; nothing is created.
QString cardFolderLine(const FilePlaces &places)
{
    try {
        QString folder = lineAt(loadLines(places.dataFolder + QStringLiteral("lfile.qec")), 0);
        if (folder.startsWith(QLatin1String("~/")))
            folder = QDir::homePath() + folder.mid(1);
        return folder.isEmpty() ? QStringLiteral("(the current folder)") : folder;
    } catch (const KartelloError &e) {
        return e.text();
    }
}

// The data files Kartello knows, and whatever else lies in the data folder.
QStringList dataFileNames(const FilePlaces &places)
{
    QStringList names{"Freq.txt", "Info.txt", "Mode.txt", "Power.txt", "Signal.txt", "dfile.qec",
                      "gfile.qec", "lfile.qec", "prefs.txt", "smtp.onl"};
    for (const QString &name : QDir(places.dataFolder).entryList(QDir::Files, QDir::Name))
        if (!names.contains(name) && places.dataFolder + name != places.sentJournal)
            names << name;
    return names;
}

} // namespace

QStringList pathsReport(const FilePlaces &places, const QString &stateFile,
                        const QStringList &dataFiles)
{
    QStringList lines{row("mode", fileModeName(places.mode)),
                      row("executable", places.executableFolder)};
    if (!places.templateFolder.isEmpty())
        lines << row("template", marked(places.templateFolder));
    lines << row("data folder", marked(places.dataFolder));
    for (const QString &name : dataFiles)
        lines << row("data file", marked(places.dataFolder + name));
    lines << row("state file", stateFile) << row("card folder", cardFolderLine(places))
          << row("batch folder", places.batchFolder) << row("sent journal", places.sentJournal)
          << row("scratch picture", places.scratchPicture) << row("help page", marked(places.helpPage));
    return lines;
}

int runPathsCommand(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Prints whether this copy of Kartello is portable (everything beside the program)\n"
        "or installed (the operator's XDG folders), and every folder and file it reads\n"
        "and writes. An installed copy fills its data folder first, as the window does."));
    parser.addHelpOption();
    parser.addVersionOption();
    if (!parser.parse(QStringList{QStringLiteral("kartello paths")} + args)) {
        writeText(stderr, QStringLiteral("kartello paths: %1\n").arg(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        writeText(stdout, helpText(parser));
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        writeText(stdout, QStringLiteral("kartello " KARTELLO_VERSION "\n"));
        return 0;
    }
    if (!parser.positionalArguments().isEmpty()) {
        writeText(stderr, QStringLiteral("kartello paths: takes no arguments\n"));
        return 2;
    }
    const FilePlaces places = filePlaces();
    writeText(stdout, pathsReport(places, PersistentWindow::stateFilePath(), dataFileNames(places))
                              .join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}
