#include "LogRecords.h"

#include "AdifReader.h"

#include <QDate>
#include <QFile>

#include <cstdio>

bool openLog(QFile &file, const QString &log)
{
    if (log == QLatin1String("-"))
        return file.open(stdin, QIODevice::ReadOnly);
    file.setFileName(log);
    return file.open(QIODevice::ReadOnly);
}

LogsRead readSelectedRecords(
    const QStringList &logs, const CardSelection &selection,
    const std::function<void(const QString &log, const QString &reason)> &cannotRead,
    const std::function<void(int row, int log, const AdifRecord &record)> &take)
{
    LogsRead read;
    for (int log = 0; log < logs.size(); ++log) {
        QFile file;
        if (!openLog(file, logs[log])) {
            cannotRead(logs[log], file.errorString());
            continue;
        }
        const AdifLog adif = readAdifLog(file.readAll());
        read.skipped += adif.skipped;
        for (const AdifRecord &record : adif.records) {
            ++read.rows;
            const QDate date = compactDate(record.value(AdifField::QsoDate));
            if (selection.takes(read.rows, record.value(AdifField::Call), date) && selection.takesQueued(record))
                take(read.rows, log, record);
        }
    }
    return read;
}
