#include "StopSignals.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> g_stop{false};
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");

extern "C" void onStopSignal(int)
{
    g_stop.store(true);
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
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool stopRequested()
{
    return g_stop.load();
}

void setStopRequested(bool stop)
{
    g_stop.store(stop);
}
