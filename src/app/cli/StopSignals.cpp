#include "StopSignals.h"

#include <atomic>
#include <csignal>
#include <initializer_list>

namespace {

std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "set from a signal handler");

extern "C" void onStopSignal(int signal)
{
    g_signal.store(signal);
}

} // namespace

void installStopSignals()
{
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Interrupted system calls go on (the writers' reads and writes), and the handler is
    // reset after the first signal so that a second one ends the program.
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int signal : {SIGHUP, SIGINT, SIGTERM})
        sigaction(signal, &action, nullptr);
}

bool stopRequested()
{
    return g_signal.load() != 0;
}

int stopSignal()
{
    return g_signal.load();
}

void setStopRequested(bool stop)
{
    g_signal.store(stop ? SIGINT : 0);
}
