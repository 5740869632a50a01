#pragma once

#include <QString>

// One contact, the one record every part of Kartello passes a QSO in: as the operator types
// it, as a QSO list row reads back (parseListRow()), as a card shows it (CardDocument::setQso())
// and as the journal and the mail take it (sentQsoOf()). Seven free-text fields, nothing parsed,
// and the contact's e-mail address where one is known.
struct QsoRecord
{
    QString callSign;
    QString utcDate;
    QString utcTime;
    QString freq;
    QString mode;
    QString power;
    QString signal;
    QString email;   // the contact's address; empty when none is known. Not one of the seven.

    // True when any field is empty; a field of blanks counts as filled.
    bool hasEmptyField() const
    {
        return callSign.isEmpty() || utcDate.isEmpty() || utcTime.isEmpty() || freq.isEmpty()
               || mode.isEmpty() || power.isEmpty() || signal.isEmpty();
    }
};
