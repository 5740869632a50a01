#include "TcpClient.h"

void TcpClient::connect()
{
    if (socket().allocated())
        throw AlreadyConnectedError();
    resetConnectionState();
    try {
        socket().allocate();
        socket().bind(BoundIP, 0);
        const QString address = resolveHostAddress(Host);
        if (!UseNagle)
            socket().setNoDelay();
        socket().connect(address, Port, ConnectTimeout);
    } catch (...) {
        try {
            socket().close();
        } catch (...) {
        }
        throw;
    }
    raiseConnected();
}
