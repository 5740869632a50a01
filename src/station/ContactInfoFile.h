#pragma once

#include "QsoRecord.h"

#include <QDate>
#include <QString>
#include <QStringList>

// Contact info files: eight lines (contact e-mail field, call sign, UTC date, UTC time,
// frequency, mode, power, signal report) in the card folder, one file per call sign and day
// of writing, named "yy_mm_dd_" + call sign + "_info.txt".

// The call sign as it may stand in a file name: each of / \ : * ? " < > |, every control
// character and every bidirectional control (U+202E ...) becomes "_" (K1ABC/P gives K1ABC_P),
// and so do the dots and dashes it starts with ("../x" gives "___x", "-RF" gives "_RF"), so a
// card file is never hidden nor taken for an option. Characters that show nothing (U+200B zero
// width space, U+00AD soft hyphen and the other format characters) are left out. A call sign
// of which nothing would stay is spelt by its character codes ("." gives U+002E, "*" gives
// U+002A), so that such calls keep names apart. Every file name Kartello builds from a call
// sign (contact info files, card pictures, batch files) goes through this; the call sign
// inside files and on the card stays as typed.
QString callSignFilePart(const QString &callSign);

// cardFolder + "yy_mm_dd_" of the date + callSignFilePart(callSign) + "_info.txt".
QString contactInfoFileName(const QString &cardFolder, const QDate &date, const QString &callSign);

// The eight lines, the e-mail field's text unchanged (placeholder included).
QStringList contactInfoLines(const QString &contactEmail, const QsoRecord &qso);

// Writes the contact info file of the QSO into the card folder ("lfile.qec"), named with
// the given local date of writing, replacing a file of the same name. Returns its path.
// Throws the data folder's file errors ("Cannot open file", "List index out of bounds",
// "Cannot create file").
QString writeContactInfoFile(const QString &contactEmail, const QsoRecord &qso,
                             const QDate &dateOfWriting);
