#pragma once

#include "CardDesignLoader.h"
#include "CardDocument.h"
#include "ConsoleDialogs.h"

class QTextStream;

// What a command that paints cards starts with: answers of the console in place of the
// window's dialogs for as long as it lives, and the stored design (state file and data folder)
// as the window would show it at its next start.
class CommandDesign
{
public:
    CommandDesign();
    ~CommandDesign();
    CommandDesign(const CommandDesign &) = delete;
    CommandDesign &operator=(const CommandDesign &) = delete;

    // A card made from a design read in part would not be the operator's card: when the design
    // could not be read whole, prints every problem and then consequence, each line after
    // prefix ("kartello cards: "), and gives false.
    bool readWhole(QTextStream &err, const QString &prefix, const QString &consequence) const;

    // The station's own e-mail address, as its identity edit holds it: the sender of cards.
    QString stationEmail() const;

    CardDocument document;
    LoadedDesign design;

private:
    ConsoleDialogs m_dialogs;
};
