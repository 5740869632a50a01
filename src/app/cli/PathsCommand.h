#pragma once

#include "FilePlaces.h"

#include <QStringList>

// "kartello paths": which way this copy runs (portable or installed) and every folder and file
// it reads and writes, one "name: path" line each on standard output. An installed copy fills
// its data folder first, as a start of the window would. args are the arguments after "paths".
// Exit status 0; 2 for a wrong command line.
int runPathsCommand(const QStringList &args);

// The lines "kartello paths" prints for places, the state file stateFile and the data folder
// files dataFiles (names), each file marked when it is missing.
QStringList pathsReport(const FilePlaces &places, const QString &stateFile,
                        const QStringList &dataFiles);
