#pragma once

#include "CardsOptions.h"
#include "QsoRecord.h"

#include <QImage>
#include <QString>

// The files of one card of a command-line run, written from a worker thread: nothing here
// touches the window. Each file is written beside its name and renamed over it, so a failed
// or interrupted write leaves a previous file whole.

// The card as a picture file: JPEG at quality 100 as JPG Selected writes it, GIF as Create GIF
// writes it, PNG lossless. Throws "Cannot create file <path>" (or the encoder's error).
void writeCardPicture(CardFormat format, const QImage &card, const QString &path);

// The contact info file beside the card, as JPG Selected writes it: line 1 the row's e-mail
// or "No email address", lines 2 to 8 the QSO, named with today's date and the suffix the
// card's picture has after the call sign (batchContactInfoFileName()). Throws "Cannot create
// file <path>".
void writeBatchContactInfo(const QString &folder, const QString &rowEmail, const QsoRecord &qso,
                           const QString &suffix = QString());
