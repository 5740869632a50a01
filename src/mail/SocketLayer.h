#pragma once

#include <QByteArray>
#include <QString>

#include <QList>

#include <memory>

#include <netdb.h>
#include <sys/socket.h>

class TlsSession;

// The socket layer of the mail code: POSIX sockets over IPv6 and IPv4, with the system's error numbers
// turned into the Winsock-style codes whose texts the operator reads
// ("Socket Error # 10061" + CR LF + "Connection refused.").

// The description of a socket error code: the table's text, the resolver's own text for a
// resolver code (negative, "Name or service not known"), empty for any other code.
QString socketErrorDescription(int code);

// The Winsock-style code for a POSIX errno value (ECONNREFUSED gives 10061, ETIMEDOUT 10060,
// ...). An errno with no counterpart is returned unchanged, so its text has no description.
int socketCodeFromErrno(int err);

// Resolves a host the way the SMTP client does: "LOCALHOST" in any letter case is 127.0.0.1,
// four dot-separated numbers 0..255 are used as they stand (no lookup), anything else is looked
// up and the first IPv4 address is taken. Returns the dotted address; a failed lookup throws
// SocketError with the resolver's own error number.
QString resolveHostAddress(const QString &host);

// The host lookup behind resolveHostAddress() and resolveHostAddresses(), with getaddrinfo()'s
// contract (results freed with freeaddrinfo()). getaddrinfo() itself unless a test puts a
// resolver of its own in place, so that no test asks the network; nullptr puts it back.
using HostLookup = int (*)(const char *host, const char *service, const addrinfo *hints,
                           addrinfo **found);
void setHostLookup(HostLookup lookup);

// True for text of exactly four dot-separated decimal numbers, each from 0 to 255.
bool isDottedIPv4(const QString &text);

// One address of a host, ready for connect().
struct HostAddress
{
    sockaddr_storage address{};
    socklen_t length = 0;
    int family() const { return address.ss_family; }
    QString text() const;   // "192.0.2.7" or "2001:db8::7"
};

// Every address of host to try in turn, in the resolver's order of preference (IPv6 and IPv4
// alike), each once, with port filled in. "LOCALHOST" in any letter case is 127.0.0.1 and an
// address literal (dotted IPv4, IPv6 with or without brackets) is used as it stands, without a
// lookup. A failed lookup throws SocketError with the resolver's own error number.
QList<HostAddress> resolveHostAddresses(const QString &host, quint16 port);

// The EHLO argument for this machine: its host name when that is fully qualified (holds a
// dot), else the address literal of the local end of the connection ("[192.0.2.7]",
// "[IPv6:2001:db8::7]"), as strict servers refuse a bare name.
QString ehloDomain(const QString &hostName, const QString &localAddress);

// Lets another thread end a session at once: every wait of a socket that watches the signal
// ends with SessionCancelledError once it is raised, until clear().
class CancelSignal
{
public:
    CancelSignal();
    ~CancelSignal();
    CancelSignal(const CancelSignal &) = delete;
    CancelSignal &operator=(const CancelSignal &) = delete;

    void raise();   // thread-safe
    void clear();
    bool raised() const;
    int fd() const { return m_fd; }

private:
    int m_fd = -1;
};

// poll() for events on fd, restarting after a signal; false when timeoutMs ran out (negative:
// no limit). A raised cancel (cancelFd >= 0) throws SessionCancelledError.
bool waitForSocket(int fd, short events, int timeoutMs, int cancelFd);

// The machine's own host name, at most 250 characters.
QString localHostName();

// One stream socket (IPv6 or IPv4), optionally carrying TLS after startTls(). Every failing
// call throws SocketError with the mapped code, except allocate (InvalidSocketError) and a
// bind that finds the address in use (CouldNotBindSocketError).
class SocketHandle
{
public:
    SocketHandle();
    ~SocketHandle();
    SocketHandle(const SocketHandle &) = delete;
    SocketHandle &operator=(const SocketHandle &) = delete;

    bool allocated() const { return m_fd >= 0; }
    void allocate(int family = AF_INET);
    void bind(const QString &address, quint16 port);   // empty address: any
    void setNoDelay();
    // A connect that gives up after timeoutMs with code 10060 (negative: the system's limit).
    void connect(const QString &address, quint16 port, int timeoutMs);
    void connect(const HostAddress &address, int timeoutMs);
    // TLS handshake over the connected socket, the certificate verified for serverName
    // (a host name or an address literal). Throws TlsError saying why it failed.
    void startTls(const QString &serverName, int timeoutMs);
    bool tlsActive() const { return bool(m_tls); }
    // Every later wait also ends when cancel is raised (nullptr: none).
    void watchCancel(const CancelSignal *cancel) { m_cancel = cancel; }
    // Waits until data or the end of the stream can be read; false when timeoutMs ran out.
    bool waitReadable(int timeoutMs);
    bool waitWritable(int timeoutMs);
    // One receive call; 0 means the peer closed its side. Over TLS a record may need more
    // data first, which is waited for at most timeoutMs.
    qint64 receive(char *buffer, qint64 size, int timeoutMs = -1);
    // One send call; returns the number of bytes taken. Sends use MSG_NOSIGNAL, so a closed
    // peer gives an error code, never SIGPIPE.
    qint64 send(const char *data, qint64 size);
    void shutdownSend();
    void close();

    QString peerAddress() const;
    quint16 peerPort() const;
    quint16 localPort() const;
    QString localAddress() const;

private:
    int cancelFd() const;

    int m_fd = -1;
    int m_ioTimeoutMs = 60000;
    const CancelSignal *m_cancel = nullptr;
    std::unique_ptr<TlsSession> m_tls;
};
