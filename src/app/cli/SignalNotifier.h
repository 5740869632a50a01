#pragma once

#include <QObject>

#include <memory>

class QSocketNotifier;

// SIGHUP, SIGINT and SIGTERM as an event of the event loop, for a command that waits in it:
// the handler only writes the signal's number into a socket pair, and received() is emitted
// from the loop. The first signal is handled so; the handlers are reset by it, so a second
// one ends the program at once, as usual. The previous handlers come back when the notifier
// goes. One notifier at a time.
class SignalNotifier : public QObject
{
    Q_OBJECT

public:
    SignalNotifier();
    ~SignalNotifier() override;

    bool isValid() const { return m_notifier != nullptr; }
    // The exit status that a signal stands for: 128 + its number (130 for SIGINT).
    static int exitStatus(int signal) { return 128 + signal; }

signals:
    void received(int signal);

private:
    void readSignal();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
