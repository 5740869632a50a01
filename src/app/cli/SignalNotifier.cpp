#include "SignalNotifier.h"

#include <QSocketNotifier>

#include <array>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// [0] is written by the handler, [1] read by the event loop.
int g_pair[2] = {-1, -1};
constexpr std::array<int, 3> HandledSignals = {SIGHUP, SIGINT, SIGTERM};
struct sigaction g_previous[HandledSignals.size()];

extern "C" void onSignal(int signal)
{
    const char number = char(signal);
    // Nothing else is safe here; a full pair (signals faster than the loop) loses nothing
    // that matters, since the first one already asks the command to end.
    [[maybe_unused]] const ssize_t written = ::write(g_pair[0], &number, 1);
}

} // namespace

SignalNotifier::SignalNotifier()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_pair) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pair[1], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &SignalNotifier::readSignal);
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (size_t i = 0; i < HandledSignals.size(); ++i)
        sigaction(HandledSignals[i], &action, &g_previous[i]);
}

SignalNotifier::~SignalNotifier()
{
    if (!m_notifier)
        return;
    for (size_t i = 0; i < HandledSignals.size(); ++i)
        sigaction(HandledSignals[i], &g_previous[i], nullptr);
    m_notifier.reset();
    ::close(g_pair[0]);
    ::close(g_pair[1]);
    g_pair[0] = g_pair[1] = -1;
}

void SignalNotifier::readSignal()
{
    char number = 0;
    while (::read(g_pair[1], &number, 1) == 1)
        emit received(int(static_cast<unsigned char>(number)));
}
