#pragma once

#include <QDate>
#include <QDateTime>

// The clock the QSO quick-picks and the contact info files read, so that tests can fix it.
class QsoClock
{
public:
    virtual ~QsoClock() = default;
    virtual QDateTime currentUtc() const = 0;
    virtual QDate currentLocalDate() const = 0;
};

// The clock in use: the system clock unless a test installed another.
QsoClock &qsoClock();
// Installs a clock (nullptr restores the system clock); the caller keeps ownership.
void setQsoClock(QsoClock *clock);
