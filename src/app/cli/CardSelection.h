#pragma once

#include "RowSelection.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QDate>
#include <QStringList>

// Which QSOs of the logs a command-line run makes cards for: --rows, --call and --since
// together; a QSO must pass every one that was given.
struct CardSelection
{
    RowSelection rows;
    // Call signs in upper case; empty takes every call sign.
    QStringList callSigns;
    // QSOs on or after this date; a null date takes every date.
    QDate since;

    // row counts from 1 over all logs; callSign as the row holds it (any case, padded);
    // qsoDate is null when the row's date cannot be read, which --since never takes.
    bool takes(int row, const QString &callSign, const QDate &qsoDate) const;

    // The options that make a selection, for a command's parser: --rows, --call, --since.
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
