#pragma once

#include <QDate>
#include <QtGlobal>

#include <functional>

// The time a send run goes by: its pace, its waits before trying a card again and the date
// of the sent journal. Tests give the run a clock of their own that never really waits.
class SendClock
{
public:
    virtual ~SendClock() = default;
    // Milliseconds on a steady clock (only differences count).
    virtual qint64 nowMs() = 0;
    // Waits ms milliseconds; false when stop() turned true before they were over.
    virtual bool wait(qint64 ms, const std::function<bool()> &stop) = 0;
    // Today's date in UTC.
    virtual QDate todayUtc() = 0;
};

// The real clock. A wait looks at stop() ten times a second, so Esc or Ctrl-C ends it soon.
class SystemSendClock : public SendClock
{
public:
    qint64 nowMs() override;
    bool wait(qint64 ms, const std::function<bool()> &stop) override;
    QDate todayUtc() override;
};
