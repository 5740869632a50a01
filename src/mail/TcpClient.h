#pragma once

#include "TcpConnection.h"

#include <QString>

// A TCP connection that opens itself: resolves Host ("LOCALHOST" is 127.0.0.1, address
// literals are used as they stand, names give their IPv6 and IPv4 addresses), binds to
// BoundIP and connects to Port, trying each address in turn; all of them together get
// ConnectTimeout, after which SocketError 10060 is thrown.
//   connect()   throws AlreadyConnectedError on an open socket, InvalidSocketError,
//               CouldNotBindSocketError or SocketError (the last address's failure); a failed
//               connect leaves no socket.
class TcpClient : public TcpConnection
{
public:
    QString Host;
    quint16 Port = 0;
    QString BoundIP;               // empty: any local address
    bool UseNagle = true;          // false sets TCP_NODELAY
    int ConnectTimeout = 30000;    // ms; negative: the system's own limit

    virtual void connect();
};
