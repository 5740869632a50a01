#pragma once

#include <QStringList>

// "kartello rows [--power TEXT] LOG.adi [LOG2.adi ...]": the QSO list rows of the logs, one
// per line on standard output, exactly as the ADIF panel lists them after loading the logs
// in that order with TEXT in the power field (empty unless given). For each log a line on
// standard error says how many rows it gave and which records it skipped and why.
// args are the arguments after "rows". Exit status 0; 1 when a log cannot be read (the
// others are still listed); 2 for a wrong command line.
int runRowsCommand(const QStringList &args);
