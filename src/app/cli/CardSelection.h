#pragma once

#include "RowSelection.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QStringList>

#include <memory>

class AdifRecord;
class SentJournal;

// Which QSOs of the logs a command-line run makes cards for: --rows, --call, --since and
// --unsent together; a QSO must pass every one that was given.
struct CardSelection
{
    RowSelection rows;
    // Call signs in upper case; empty takes every call sign.
    QStringList callSigns;
    // QSOs on or after this date; a null date takes every date.
    QDate since;
    // --unsent: only the QSOs that need a card by their QSL_SENT and the sent journal, which
    // readJournal() reads before the logs are read.
    bool unsentOnly = false;
    std::shared_ptr<const SentJournal> journal;

    // row counts from 1 over all logs; callSign as the row holds it (any case, padded);
    // qsoDate is null when the row's date cannot be read, which --since never takes.
    bool takes(int row, const QString &callSign, const QDate &qsoDate) const;
    // Whether --unsent takes record: every record without --unsent, none while the journal
    // is unread.
    bool takesQueued(const AdifRecord &record) const;
    // Reads the sent journal at path without changing it, when --unsent asks for it (a missing
    // journal holds no QSO). Returns the error line when it cannot be read, else empty.
    QString readJournal(const QString &path);

    // The options that make a selection, for a command's parser: --rows, --call, --since, --unsent.
    static QList<QCommandLineOption> commandLineOptions();
    // Reads them from parser once it has parsed: repeated --rows and --call add up, each
    // naming QSOs the operator wants; of several --since the last counts. Returns the error
    // line of the first bad value, empty when every value is good.
    QString read(const QCommandLineParser &parser);

private:
    QString addRows(const QString &value);
    QString addCalls(const QString &value);
    QString setSince(const QString &value);
};

// "K1ABC,dl1xyz" as the list of call signs --call compares with, in upper case.
QStringList callSignList(const QString &text);

// A date written YYYYMMDD, as ADIF writes them; null when the text is not a real date.
QDate compactDate(const QString &text);
