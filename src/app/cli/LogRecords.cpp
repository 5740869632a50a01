#include "LogRecords.h"

#include <algorithm>

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

QString rowsLabel(const QString &callSign, std::vector<std::pair<int, int>> logRows, const QStringList &logs)
{
    std::sort(logRows.begin(), logRows.end());
    QStringList parts;
    for (size_t i = 0; i < logRows.size();) {
        const int log = logRows[i].first;
        QStringList rows;
        for (; i < logRows.size() && logRows[i].first == log; ++i)
            rows << QString::number(logRows[i].second);
        parts << QStringLiteral("%1 %2 of %3")
                     .arg(rows.size() == 1 ? QStringLiteral("row") : QStringLiteral("rows"),
                          rows.join(QStringLiteral(", ")), logs.value(log));
    }
    return QStringLiteral("%1 (%2)").arg(callSign, parts.join(QStringLiteral(", ")));
}
