#pragma once

#include <QString>

// One contact as the operator enters it: seven free-text fields, nothing parsed.
struct QsoRecord
{
    QString callSign;
    QString utcDate;
    QString utcTime;
    QString freq;
    QString mode;
    QString power;
    QString signal;

    // True when any field is empty; a field of blanks counts as filled.
    bool hasEmptyField() const
    {
        return callSign.isEmpty() || utcDate.isEmpty() || utcTime.isEmpty() || freq.isEmpty()
               || mode.isEmpty() || power.isEmpty() || signal.isEmpty();
    }
};
