#pragma once

#include "CardDesign.h"

#include <QString>
#include <QStringList>

class IniFile;

// The card design's stored form: the state file's "Form1" keys of the controls that show each
// choice ("CSFBold.Checked=TRUE", "CSFTrackBar1.Position=31", "ComboBox1.Position=7") and the
// data folder's "Info.txt", "prefs.txt", "gfile.qec" and "dfile.qec". Files written by any
// earlier Kartello read back to the card they showed.
namespace card {

struct DesignReading {
    CardDesign design;
    // Data files that could not be read whole, in the words and order the window reports them
    // at start-up; what was read before the fault is in the design.
    QStringList problems;
    // Stored values the design could not use as they stand, each saying what was used
    // instead ("Kartello.ini: CSFTrackBar1.Position=900 is out of range 20..200; 200 is used").
    QStringList warnings;
};

// Reads the design from the state file and the data folder (dataFilePath()). Never throws.
DesignReading readCardDesign(const QString &stateFile);

// Reads only the state file's part of the design into reading.design: the card options, the
// three font groups and the name width.
void readDesignState(const IniFile &ini, DesignReading &reading);

// Writes the state file's part of the design: every key readDesignState() reads.
void writeDesignState(const CardDesign &design, IniFile &ini);

// The lines of "prefs.txt" for the design's places; empty when a place is not given.
QStringList placesLines(const CardDesign &design);

// Writes the state file (its other keys kept) and the four data files of the design.
// Throws "Cannot create file <path>" when one cannot be written; those before it are written.
void saveCardDesign(const CardDesign &design, const QString &stateFile);

} // namespace card
