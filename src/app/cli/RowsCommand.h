#pragma once

#include <QStringList>

// "kartello rows [--power TEXT] LOG.adi [LOG2.adi ...]": the QSO list rows of the logs, one
// per line on standard output, exactly as the ADIF panel lists them after loading the logs
// in that order with TEXT in the power field (without --power: the text the power field
// shows when the window starts, see rememberedPower()). For each log a line on
// standard error says how many rows it gave and which records it skipped and why.
// args are the arguments after "rows". Exit status 0; 1 when a log cannot be read (the
// others are still listed); 2 for a wrong command line.
int runRowsCommand(const QStringList &args);

// The power field's text when the window starts with the state file stateFile and the pick
// list powerList: the caption that the list gives the power radio the state file remembers
// as checked (of several, the last in creation order, as the restore leaves it), or empty
// when none is remembered or the list has no line for it. Missing files read as empty.
QString rememberedPower(const QString &stateFile, const QString &powerList);
