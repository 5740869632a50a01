#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// The two data files the main window reads at start-up and writes back at shutdown:
// "prefs.txt" (where the card's text elements lie) and "dfile.qec" (the station identity).

// ---- "prefs.txt": four lines per text element, in the card's order: Left, Top, Height,
// Width (height before width). ----
struct ElementGeometry {
    int left = 0, top = 0, height = 0, width = 0;
};
enum class GeometryField { Left, Top, Height, Width };

// The lines of "prefs.txt" for the elements, in their order.
QStringList prefsLines(const std::vector<ElementGeometry> &elements);

// The value a card of 511 x 280 pixels can use for the field: a place within one card size of
// the card (left -511 to 511, top -280 to 280), a size up to two card sizes (width 0 to 1022,
// height 0 to 560), so an element may reach from anywhere in that range across the card.
int usableGeometry(GeometryField field, int value);

// Hands each value of the first elementCount elements to set(element, field, value), in file
// order, kept to usableGeometry(). Throws at the first missing line or line that is not a
// number; the values handed over before stay applied.
void readPrefs(const QStringList &lines, int elementCount,
               const std::function<void(int, GeometryField, int)> &set);

// ---- "dfile.qec": one line per identity edit, in card::identityEdits() order ----

// The lines of "dfile.qec" for the texts of the identity edits, one line each: a line break
// would shift every later field, so each text goes through oneLineText().
QStringList identityLines(const QStringList &texts);

// Hands line i to set(i) for each of the fieldCount identity fields; lines beyond them are
// ignored. Throws at the first missing line, after the ones before it are set.
void readIdentity(const QStringList &lines, int fieldCount,
                  const std::function<void(int, const QString &)> &set);

// ---- Writing them back at shutdown ----

// How much of a data file start-up could read.
enum class FileReadState {
    Whole,    // every line it needed
    Missing,  // there was no such file
    Partial,  // the file is there but fell short, held a bad line, or could not be opened
};

// The state of the file at path after its reading succeeded (readWhole) or failed.
FileReadState readStateOf(const QString &path, bool readWhole);

// Whether the operator's file is kept aside as NAME.bak before it is written whole.
bool keepsBackupAtShutdown(FileReadState state);

// Writes the lines over the file at shutdown. A file read only in part is first copied to
// path + ".bak" (replacing an older copy), so nothing of it is lost; a missing file is created.
// Throws "Cannot create file <path>" when the backup or the file cannot be written; the file is
// then left as it was.
void saveAtShutdown(const QString &path, const QStringList &lines, FileReadState state);
