#pragma once

#include <QString>

#include <cstdio>

// Writes text to stream as UTF-8, as it stands (no line end added).
void writeText(std::FILE *stream, const QString &text);

// A QCommandLineParser help text with "kartello <command>" in place of the executable's path.
QString helpWithCommandName(const QString &parserHelp, const QString &command);
