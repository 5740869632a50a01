#pragma once

#include <QString>
#include <QStringList>

class MainWindow;

// "kartello LOG.adi", as a file manager opens a log with Kartello: the window starts with the
// log in the ADIF panel.

// True when argument, the word after "kartello", names a log rather than a command: it ends
// with ".adi" or ".adif" (any case) or names an existing file. A mistyped command stays an
// error.
bool isLogArgument(const QString &argument);

// The first of arguments (those after the program's name, Qt's own options taken out) that
// isLogArgument, or "" when there is none.
QString logArgument(const QStringList &arguments);

// Opens the ADIF panel and starts loading the log at path into it. A log that cannot be read
// is reported as a Load ADIF of it would be, and the window stays open.
void openLogInWindow(MainWindow &window, const QString &path);
