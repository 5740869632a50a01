#include "SendClock.h"

#include <QDateTime>

#include <chrono>
#include <thread>

qint64 SystemSendClock::nowMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool SystemSendClock::wait(qint64 ms, const std::function<bool()> &stop)
{
    const qint64 end = nowMs() + ms;
    for (;;) {
        if (stop && stop())
            return false;
        const qint64 left = end - nowMs();
        if (left <= 0)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(qMin<qint64>(left, 100)));
    }
}

QDate SystemSendClock::todayUtc()
{
    return QDateTime::currentDateTimeUtc().date();
}
