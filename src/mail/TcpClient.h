#pragma once

#include "TcpConnection.h"

#include <QString>

// A TCP connection that opens itself: binds to BoundIP, resolves Host ("LOCALHOST" is
// 127.0.0.1, dotted addresses are used as they stand) and connects to Port, giving up after
// ConnectTimeout with SocketError 10060.
//   connect()   throws AlreadyConnectedError on an open socket, InvalidSocketError,
//               CouldNotBindSocketError or SocketError; a failed connect leaves no socket.
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
