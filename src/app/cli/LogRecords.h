#pragma once

#include "AdifRecord.h"
#include "CardSelection.h"
#include "SkippedRecords.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QFile;

// Opens one ADIF log for reading: standard input for "-". False when it cannot be read;
// file.errorString() then says why.
bool openLog(QFile &file, const QString &log);

// What reading a command's logs came to besides the records it took.
struct LogsRead
{
    int rows = 0;                // records read, over all logs
    SkippedRecords skipped;      // records the reader skipped, over all logs
};

// How a run names a card of several rows: "K1ABC (rows 3, 9 of a.adi, row 2 of b.adi)", the
// rows given as (log index, row) in any order, named log by log in order.
QString rowsLabel(const QString &callSign, std::vector<std::pair<int, int>> logRows, const QStringList &logs);

// Reads logs in order and hands each record that selection takes (--unsent too, once its
// journal is read) to take(row, log, record):
// rows are counted from 1 over all logs, as `kartello rows` lists them, and log indexes logs.
// A log that cannot be read goes to cannotRead(log, reason) and the next one is read.
LogsRead readSelectedRecords(
    const QStringList &logs, const CardSelection &selection,
    const std::function<void(const QString &log, const QString &reason)> &cannotRead,
    const std::function<void(int row, int log, const AdifRecord &record)> &take);
