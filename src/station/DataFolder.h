#pragma once

#include <QFileDevice>
#include <QString>
#include <QStringList>

// Kartello keeps its settings and pick lists as plain text files in the data folder "system/"
// (beside the executable, or in the operator's data folder for an installed copy: see
// FilePlaces.h). Every file is read whole and written whole.

// The executable's folder, ending with '/'. Tests point it elsewhere with setExecutableFolder;
// an empty folder goes back to QCoreApplication::applicationDirPath().
QString executableFolder();
void setExecutableFolder(const QString &folder);

// The data folder (filePlaces().dataFolder) + name.
QString dataFilePath(const QString &name);

// Splits the text of a file into lines (UTF-8 when valid, else Windows-1252, see
// TextEncoding.h); CR LF, a lone LF and a lone CR each end a line. A final line
// end does not start another (empty) line.
QStringList splitLines(const QByteArray &bytes);

// Reads the whole file. Throws "Cannot open file <path>" when it cannot be opened.
QStringList loadLines(const QString &path);

// Replaces the file with the lines, each followed by CR LF (the last included), in the
// encoding the file had (UTF-8 for a new file or when a character does not fit). The new
// content is written beside the file and renamed over it, so a failed write leaves the
// previous file whole. Throws "Cannot create file <path>" with the system's reason on a
// second line ("No space left on device").
// With permissions the new file has them before a byte is written into it (a file holding a
// password is made owner-only first).
void saveLines(const QString &path, const QStringList &lines,
               QFileDevice::Permissions permissions = {});

// Line index (zero-based) of lines. Throws "List index out of bounds (<index>)".
QString lineAt(const QStringList &lines, int index);

// True when the whole text is ASCII digits with an optional leading minus sign.
bool isDecimalInteger(const QString &text);

// A decimal integer with an optional minus sign and nothing else on the line, within int.
// Throws "'<text>' is not a valid integer value".
int lineToInt(const QString &text);

// Everything up to and including the last '/', or "" when there is none.
QString folderPart(const QString &path);

// The card folder: the first line of "lfile.qec". A leading "~/" stands for the operator's
// home folder, and a folder that does not exist yet is created, so the first card of a new
// installation lands in ~/QSL/ rather than failing. An empty line stays empty (the current
// folder). Throws as loadLines / lineAt do.
QString cardFolder();

// Remembers the folder of a picture just saved as the card folder ("lfile.qec").
void setCardFolderFromFile(const QString &savedFile);
