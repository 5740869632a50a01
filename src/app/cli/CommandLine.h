#pragma once

#include <QProcessEnvironment>
#include <QStringList>

#include <optional>

// Kartello's subcommands ("kartello rows LOG.adi"), which run without the main window.
// A subcommand is one row of the table in CommandLine.cpp: its name, a line for the help,
// the application object it needs and the function that runs it with the arguments after
// its name. Texts go to standard output, errors to standard error.

// Runs the subcommand that argv names and gives its exit status, or nullopt when argv names
// none: "kartello" alone, or options for Qt's window ("-platform offscreen"), open the window.
// "kartello --help" and "kartello --version" are answered here; an option neither Qt's window
// nor Kartello knows ("-V", "--bogus") is an error with a hint, status 2. The window without a
// display is an error too, status 1: "no display; the commands rows/cards/send/listen/paths
// need none".
std::optional<int> runSubcommand(int &argc, char **argv);

// Whether the window would find a screen: DISPLAY, WAYLAND_DISPLAY or QT_QPA_PLATFORM set, or a
// -platform or -display option among args (the arguments after the program's name).
bool windowHasADisplay(const QStringList &args, const QProcessEnvironment &environment);

// The first of the arguments (after the program's name) that Qt's window does not take as
// one of its own options or their values, or empty when the window may open with them all.
QString argumentTheWindowRefuses(const QStringList &args);

// Qt's messages that a command keeps off standard error: the note that no per-user runtime
// folder is set, which every run from cron or a plain su would print and which says nothing
// about the run.
bool isCommandLineNoise(const QString &message);
