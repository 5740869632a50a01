#include "QsoClock.h"

namespace {

class SystemClock : public QsoClock
{
public:
    QDateTime currentUtc() const override { return QDateTime::currentDateTimeUtc(); }
    QDate currentLocalDate() const override { return QDate::currentDate(); }
};

SystemClock systemClock;
QsoClock *installed = nullptr;

} // namespace

QsoClock &qsoClock()
{
    return installed ? *installed : systemClock;
}

void setQsoClock(QsoClock *clock)
{
    installed = clock;
}
