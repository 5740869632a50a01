#pragma once

#include <QString>
#include <QStringList>

// Where Kartello keeps its files. A copy with a writable data folder "system/" beside its
// executable is portable: everything stays beside the executable, as in a build folder. Any
// other copy is installed: it never writes beside the executable and follows the XDG base
// directories instead, its data folder filled at the first start from a template. The template
// is the one the installation ships in <prefix>/share/kartello/template (an installation of an
// earlier version: <prefix>/share/kartello/system), or, for a portable copy whose "system/" is
// read-only, that folder. The template is never the data folder itself, so installing again
// over an installation in the operator's own folders (--prefix ~/.local) leaves the station
// data alone.
enum class FileMode { Portable, Installed };

// The XDG base directory variables and HOME. An unset, empty or relative variable stands for
// its default under HOME.
struct XdgEnvironment
{
    QString home;
    QString dataHome;
    QString configHome;
    QString cacheHome;

    static XdgEnvironment fromProcess();
};

// Every folder ends with '/'.
struct FilePlaces
{
    FileMode mode = FileMode::Portable;
    QString executableFolder;
    QString dataFolder;          // the data folder "system/"
    QString templateFolder;      // installed: the shipped data folder; portable: empty
    QString stateFolder;         // the window's state file "Kartello.ini" lies here
    QString batchFolder;         // "BatchJPG/"
    QString sentJournal;         // "Sent.adi", the record of the cards that went out by e-mail
    QString defaultCardFolder;   // installed: the card folder a new data folder starts with
    QString scratchPicture;      // "temp.bmp", the snapshot while a picture is made
    QString helpPage;            // "Kartello.html", read only
    QString dialogFolder;        // where a file dialog starts that remembers nothing
    // Why a copy that looks portable runs as installed ("system/" beside the executable is
    // read-only), to be told at the window's start; empty otherwise.
    QString notice;
};

// Whether the program may write into folder (an existing folder). The system's answer is
// isWritableFolder; tests stand in for it, since a root user may write anywhere.
using FolderCheck = bool (*)(const QString &folder);
bool isWritableFolder(const QString &folder);

// The places of a copy whose executable lies in executableFolder; writable decides whether its
// "system/" folder may be written.
FilePlaces filePlacesFor(const QString &executableFolder, const XdgEnvironment &environment,
                         FolderCheck writable = isWritableFolder);

// Replaces the writability check of filePlaces() (nullptr: isWritableFolder again).
void setWritableFolderCheck(FolderCheck check);

// The places of this run: filePlacesFor(executableFolder(), the process environment). The first
// call of an installed copy also creates its folders and fills its data folder (fillDataFolder);
// a failure there is left for the first read or write of a file to report.
FilePlaces filePlaces();

// Copies every file of the template that the data folder does not have yet; the operator's own
// files are never replaced. The card folder file "lfile.qec" starts as defaultCardFolder.
// Creates the data folder when missing. Returns the names of the files copied. Throws "Cannot
// create file <path>" when a folder or a file cannot be made.
QStringList fillDataFolder(const FilePlaces &places);

// "portable" or "installed".
QString fileModeName(FileMode mode);
