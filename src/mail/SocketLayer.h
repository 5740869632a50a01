#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

// The socket layer of the mail code: POSIX sockets over IPv4, with the system's error numbers
// turned into the Winsock-style codes whose texts the operator reads
// ("Socket Error # 10061" + CR LF + "Connection refused.").

// The description of a socket error code; empty for a code outside the known table.
QString socketErrorDescription(int code);

// The Winsock-style code for a POSIX errno value (ECONNREFUSED gives 10061, ETIMEDOUT 10060,
// ...). An errno with no counterpart is returned unchanged, so its text has no description.
int socketCodeFromErrno(int err);

// Resolves a host the way the SMTP client does: "LOCALHOST" in any letter case is 127.0.0.1,
// four dot-separated numbers 0..255 are used as they stand (no lookup), anything else is looked
// up and the first IPv4 address is taken. Returns the dotted address; a failed lookup throws
// SocketError with the resolver's own error number.
QString resolveHostAddress(const QString &host);

// True for text of exactly four dot-separated decimal numbers, each from 0 to 255.
bool isDottedIPv4(const QString &text);

// The machine's own host name, at most 250 characters.
QString localHostName();

// The shared socket layer. Every network component holds a reference; the layer is started
// with the first and stopped with the last. POSIX sockets need no library start, so the layer
// only keeps count; sends use MSG_NOSIGNAL, so a closed peer gives an error code, never SIGPIPE.
class SocketLayer
{
public:
    static std::shared_ptr<SocketLayer> acquire();
    static bool isRunning();   // true while some component holds the layer

    ~SocketLayer();
    SocketLayer(const SocketLayer &) = delete;
    SocketLayer &operator=(const SocketLayer &) = delete;

private:
    SocketLayer();
};

// One blocking IPv4 stream socket. Every failing call throws SocketError with the mapped
// code, except allocate (InvalidSocketError) and a bind that finds the address in use
// (CouldNotBindSocketError).
class SocketHandle
{
public:
    SocketHandle() = default;
    ~SocketHandle();
    SocketHandle(const SocketHandle &) = delete;
    SocketHandle &operator=(const SocketHandle &) = delete;

    bool allocated() const { return m_fd >= 0; }
    void allocate();
    void bind(const QString &address, quint16 port);   // empty address: any
    void setNoDelay();
    // A connect that gives up after timeoutMs with code 10060 (negative: the system's limit).
    void connect(const QString &address, quint16 port, int timeoutMs);
    // Waits until data or the end of the stream can be read; false when timeoutMs ran out.
    bool waitReadable(int timeoutMs);
    bool waitWritable(int timeoutMs);
    // One receive call; 0 means the peer closed its side.
    qint64 receive(char *buffer, qint64 size);
    // One send call; returns the number of bytes taken.
    qint64 send(const char *data, qint64 size);
    void shutdownSend();
    void close();

    QString peerAddress() const;
    quint16 peerPort() const;
    quint16 localPort() const;

private:
    int m_fd = -1;
};
