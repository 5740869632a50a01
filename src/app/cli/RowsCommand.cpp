#include "RowsCommand.h"

#include "CommandText.h"
#include "LogArguments.h"
#include "LogRecords.h"
#include "AdifReader.h"
#include "DataFolder.h"
#include "IniFile.h"
#include "KartelloError.h"
#include "PersistentWindow.h"
#include "PickLists.h"

#include <QFile>

#include <cstdio>

namespace {

// Lists one log; false when it cannot be read.
bool listLog(const QString &path, const QString &defaultPower)
{
    QFile file;
    if (!openLog(file, path)) {
        writeText(stderr, QStringLiteral("kartello rows: cannot read %1: %2\n").arg(path, file.errorString()));
        return false;
    }
    AdifReader reader(file.readAll());
    AdifRecord record;
    QString rows;
    int count = 0;
    while (reader.readNext(record)) {
        rows += listRow(record, defaultPower) + QLatin1Char('\n');
        ++count;
        if (rows.size() > 1 << 16) {
            writeText(stdout, rows);
            rows.clear();
        }
    }
    writeText(stdout, rows);
    std::fflush(stdout);
    writeText(stderr, QStringLiteral("%1: %2\n").arg(path, loadSummary(count, reader.skipped())));
    return true;
}

} // namespace

QString rememberedPower(const QString &stateFile, const QString &powerList)
{
    const PickList &list = pickLists()[1];
    IniFile state(stateFile);
    state.load();
    QString checked;
    for (int n = 1; n <= list.controls; ++n) {
        const QString name = pickListControlName(QString::fromLatin1(list.controlPrefix), n);
        if (state.value(QStringLiteral("Form1"), name + QStringLiteral(".Checked")) == QLatin1String("TRUE"))
            checked = name;
    }
    if (checked.isEmpty())
        return QString();
    QStringList lines;
    try {
        lines = loadLines(powerList);
    } catch (const KartelloError &) {
        return QString();
    }
    for (const PickListCaption &caption : pickListCaptions(list, lines))
        if (caption.control == checked)
            return caption.caption;
    return QString();
}

int runRowsCommand(const QStringList &args)
{
    CommandParser command(
        QStringLiteral("rows"),
        QStringLiteral("Prints the QSO list rows of ADIF logs, one per line, as the ADIF panel lists them."));
    const QCommandLineOption power(QStringLiteral("power"),
                                   QStringLiteral("The power for records without TX_PWR (default: the power the window "
                                                  "starts with, from Kartello.ini and Power.txt)."),
                                   QStringLiteral("TEXT"));
    command.parser().addOption(power);
    addLogArgument(command.parser());
    if (const std::optional<int> status = command.parseOrAnswer(args))
        return *status;
    const QStringList logs = command.parser().positionalArguments();
    if (logs.isEmpty()) {
        writeText(stderr, QStringLiteral("kartello rows: no log given\n%1").arg(command.helpText()));
        return 2;
    }
    const QString defaultPower =
        command.parser().isSet(power) ? command.parser().value(power)
                                      : rememberedPower(PersistentWindow::stateFilePath(),
                                                        dataFilePath(QStringLiteral("Power.txt")));
    bool allRead = true;
    for (const QString &log : logs)
        allRead = listLog(log, defaultPower) && allRead;
    return allRead ? 0 : 1;
}
