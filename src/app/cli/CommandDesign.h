#pragma once

#include "CardDesignFiles.h"
#include "CardDocument.h"
#include "ConsoleDialogs.h"

class QTextStream;

// What a command that paints cards starts with: answers of the console in place of the
// window's dialogs for as long as it lives, and the stored design (state file and data folder)
// read as a card::CardDesign and applied to a document, the card the window shows at its next
// start.
class CommandDesign
{
public:
    CommandDesign();
    ~CommandDesign();
    CommandDesign(const CommandDesign &) = delete;
    CommandDesign &operator=(const CommandDesign &) = delete;

    // A card made from a design read in part would not be the operator's card: when the design
    // could not be read whole, prints every problem and then consequence, each line after
    // prefix ("kartello cards: "), and gives false. Stored values that were kept to their
    // range are printed as warnings and do not stop the command.
    bool readWhole(QTextStream &err, const QString &prefix, const QString &consequence) const;

    // The station's own e-mail address, as its identity line holds it: the sender of cards.
    QString stationEmail() const;
    // The station's call sign, the identity's first line.
    QString stationCallSign() const;

    card::DesignReading reading;
    CardDocument document;
    QString defaultPower;   // the power field's text as the window starts
    QStringList problems;   // reading's problems, then those of applying the design

private:
    ConsoleDialogs m_dialogs;
};
