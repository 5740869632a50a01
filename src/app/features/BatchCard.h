#pragma once

#include "ListRow.h"
#include "QsoFields.h"
#include "QsoRecord.h"

#include <QDate>
#include <QImage>
#include <QSet>
#include <QString>

#include <utility>
#include <vector>

class CardOutputsController;
class QsoEntryController;
class QsoEntryParts;
class StationIdentityController;

// What a batch card is made with: the QSO's fields, the snapshot, the QSO entry and the
// station identity, which goes to the card again once the fields are filled.
struct BatchCardParts
{
    QsoEntryParts &qso;
    CardOutputsController &outputs;
    QsoEntryController &qsoEntry;
    StationIdentityController &identity;
};

// One card of a batch run, shared by JPG Selected, Print Selected and "kartello cards", so
// that all three make the same pixels and the same files as Create JPG of the same QSO.

// Fills the seven QSO fields and their value elements from row (the call-sign field's own
// rule upper-cases the call sign) and takes the card's snapshot, which the result holds.
// The entry overlays are left hidden; emptyQsoAfterBatchCard() brings them back.
QImage batchCard(const BatchCardParts &parts, const QsoRecord &row);

// Shows the seven entry overlays again and empties the seven fields and their value
// elements, the power field included, as a batch run leaves them after every card.
void emptyQsoAfterBatchCard(const BatchCardParts &parts);

// The folder "BatchJPG/" (beside the executable, or in the operator's data folder for an
// installed copy), created when missing ("Cannot create file
// %s" when it cannot be).
QString batchFolder();

// Line 1 of a batch contact info file: the row's e-mail, or "No email address".
QString batchEmailLine(const QString &rowEmail);

// The names of one batch run's files, so that no card of the run replaces another. The first
// card of a call sign is named as Create JPG names it; a later one of the same name gets the
// QSO's UTC date and time after it ("K8BL_20230407_1941"), and a number after that where even
// those repeat ("K8BL_20230407_1941_2"). Names are told apart whatever their letter case.
class BatchCardNames
{
public:
    // What follows baseName (cardBaseName() of the card's call sign) in the names of the card
    // of qso and its contact info file: empty for the first card of that name in the run.
    QString suffixFor(const QString &baseName, const QsoRecord &qso);

private:
    QSet<QString> m_taken;
};

// The contact info file of a card whose picture name has suffix after the call sign:
// contactInfoFileName() with the suffix before "_info.txt", so each card has its own.
QString batchContactInfoFileName(const QString &folder, const QDate &dateOfWriting,
                                 const QString &callSign, const QString &suffix);

// JPG Selected's two files for the card batchCard() just took, in folder (ending in "/"):
// the JPEG at quality 100 named cardBaseName() of the call-sign field, the suffix names gives
// it, ".jpg", and the contact info file beside it (batchContactInfoFileName()) with line 1
// batchEmailLine(rowEmail), lines 2 to 8 the seven QSO fields. Files of the same names left by
// an earlier run are replaced. Returns the picture's path.
QString writeBatchFiles(const BatchCardParts &parts, const QString &rowEmail, const QString &folder,
                        const QDate &dateOfWriting, BatchCardNames &names);
// The same two files for a card drawn without the window's fields (a card of several QSOs):
// named after, and the contact info file filled from, shownQso, its first QSO as it shows it.
QString writeBatchFilesOf(const QImage &card, const QsoRecord &shownQso, const QString &rowEmail,
                          const QString &folder, const QDate &dateOfWriting, BatchCardNames &names);
