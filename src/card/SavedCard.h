#pragma once

#include "Picture.h"

#include <QString>
#include <QStringList>
#include <optional>

// Rules of the two things an operator loads into the card: a background picture and the
// QSO of a card saved earlier (its contact info file).
namespace card {

// The filters of the background picture dialog, in Qt's syntax: bitmaps first, then every
// picture Kartello decodes into a bitmap.
QString backgroundPictureFilter();
// The filter of the dialog that picks a contact info file.
QString contactInfoFilter();

// Loads a background picture. A bitmap, PNG or JPEG file is decoded into a bitmap, so it is
// drawn on the card and in every output; the other picture kinds load as Picture::loadFromFile does
// (kept, shown as a placeholder). Raises "Cannot open file %s" for a missing file, "Unknown
// picture file extension (.%s)" for an unknown extension, and "Bitmap image is not valid",
// "PNG image is not valid" or "JPEG image is not valid" for a file that does not decode.
Picture loadBackgroundPicture(const QString &path);

// A contact info file's lines as Load QSL puts them into the QSO fields: lines 2..8 go to
// the seven fields (call sign, date, time, frequency, mode, power, report) in that order,
// line 1 to the contact e-mail field only when it holds "@". With fewer than eight lines the
// fields up to the last line present are filled, the e-mail stays untouched, and
// missingLine is the zero-based index of the first missing line.
struct SavedQso {
    QStringList fields;
    std::optional<QString> contactEmail;
    std::optional<int> missingLine;
};
SavedQso savedQsoFromLines(const QStringList &lines);

} // namespace card
