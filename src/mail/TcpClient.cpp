#include "TcpClient.h"

#include <chrono>

namespace {

// What is left of a time limit that started at start; negative limits stay "no limit".
int remainingMs(int limitMs, std::chrono::steady_clock::time_point start)
{
    if (limitMs < 0)
        return -1;
    using namespace std::chrono;
    const auto spent = duration_cast<milliseconds>(steady_clock::now() - start).count();
    return int(qMax<long long>(0, limitMs - spent));
}

} // namespace

void TcpClient::connect()
{
    if (socket().allocated())
        throw AlreadyConnectedError();
    resetConnectionState();
    const auto start = std::chrono::steady_clock::now();
    const QList<HostAddress> addresses = resolveHostAddresses(Host, Port);
    for (int i = 0; i < addresses.size(); ++i) {
        try {
            socket().allocate(addresses[i].family());
            socket().bind(BoundIP, 0);
            if (!UseNagle)
                socket().setNoDelay();
            socket().connect(addresses[i], remainingMs(ConnectTimeout, start));
            break;
        } catch (const SessionCancelledError &) {
            socket().close();
            throw;
        } catch (...) {
            socket().close();
            if (i + 1 == addresses.size())
                throw;
        }
    }
    raiseConnected();
}
