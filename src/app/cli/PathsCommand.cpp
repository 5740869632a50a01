#include "PathsCommand.h"

#include "CommandText.h"
#include "DataFolder.h"
#include "KartelloError.h"
#include "MailTemplate.h"
#include "PersistentWindow.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

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

// The operator's mail template is optional: without it the usual text goes out.
QString mailTemplateLine(const QString &path)
{
    return QFileInfo::exists(path) ? path : path + QStringLiteral(" (none: the usual text)");
}

// The data files Kartello knows, and whatever else lies in the data folder.
QStringList dataFileNames(const FilePlaces &places)
{
    QStringList names{"Freq.txt", "Info.txt", "Mode.txt", "Power.txt", "Signal.txt", "dfile.qec",
                      "gfile.qec", "lfile.qec", "prefs.txt", "smtp.onl"};
    for (const QString &name : QDir(places.dataFolder).entryList(QDir::Files, QDir::Name))
        if (!names.contains(name) && places.dataFolder + name != places.sentJournal && name != MailTemplateFileName)
            names << name;
    return names;
}

} // namespace

QStringList pathsReport(const FilePlaces &places, const QString &stateFile,
                        const QStringList &dataFiles)
{
    const QString why = places.notice.isEmpty()
                            ? QString()
                            : QStringLiteral(" (system/ beside the program is read-only)");
    QStringList lines{row("mode", fileModeName(places.mode) + why),
                      row("executable", places.executableFolder)};
    if (!places.templateFolder.isEmpty())
        lines << row("template", marked(places.templateFolder));
    lines << row("data folder", marked(places.dataFolder));
    for (const QString &name : dataFiles)
        lines << row("data file", marked(places.dataFolder + name));
    lines << row("state file", stateFile) << row("card folder", cardFolderLine(places))
          << row("batch folder", places.batchFolder) << row("sent journal", places.sentJournal)
          << row("mail template", mailTemplateLine(places.dataFolder + MailTemplateFileName))
          << row("scratch picture", places.scratchPicture) << row("help page", marked(places.helpPage));
    return lines;
}

int runPathsCommand(const QStringList &args)
{
    CommandParser command(QStringLiteral("paths"),
                          QStringLiteral("Prints whether this copy of Kartello is portable (everything beside the "
                                         "program)\nor installed (the operator's XDG folders), and every folder and "
                                         "file it reads\nand writes. An installed copy fills its data folder first, "
                                         "as the window does."));
    if (const std::optional<int> status = command.parseOrAnswer(args))
        return *status;
    if (!command.parser().positionalArguments().isEmpty()) {
        writeText(stderr, QStringLiteral("kartello paths: takes no arguments\n"));
        return 2;
    }
    const FilePlaces places = filePlaces();
    writeText(stdout, pathsReport(places, PersistentWindow::stateFilePath(), dataFileNames(places))
                              .join(QLatin1Char('\n')) + QLatin1Char('\n'));
    return 0;
}
