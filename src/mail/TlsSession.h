#pragma once

#include <QString>

#include <memory>

struct ssl_st;

// The text that says why a server's certificate was refused, for OpenSSL's verify result
// (X509_V_ERR_...): expired, not yet valid, issued for another host name, issued by an
// unknown authority, or OpenSSL's own words for anything rarer.
QString certificateFailureText(long verifyResult);

// TLS on a connected socket, as a client. The server's certificate is always verified against
// the system's trust store (SSL_CERT_FILE and SSL_CERT_DIR are honoured, so a test can trust
// its own authority) and must name serverName; there is no way to skip that.
// Every wait is limited by the given time and ends early when cancelFd becomes readable.
class TlsSession
{
public:
    // Makes the socket non-blocking and runs the handshake; throws TlsError saying why it
    // failed, SocketError 10060 when the time ran out, SessionCancelledError.
    TlsSession(int fd, const QString &serverName, int timeoutMs, int cancelFd);
    ~TlsSession();
    TlsSession(const TlsSession &) = delete;
    TlsSession &operator=(const TlsSession &) = delete;

    // Decrypted bytes, waiting for a whole record as long as timeoutMs; 0 at the end of the
    // stream.
    qint64 read(char *buffer, qint64 size, int timeoutMs);
    // Takes up to size bytes (at least one) and returns how many.
    qint64 write(const char *data, qint64 size, int timeoutMs);
    // True when decrypted bytes wait to be read without touching the socket.
    bool pending() const;
    // Sends the closing alert, without waiting for the server's.
    void shutdown();

private:
    void handshake(const QString &serverName, int timeoutMs);
    // Waits for what OpenSSL asked for after result; throws for a failure.
    void waitFor(int result, int timeoutMs);
    int fd() const { return m_fd; }

    int m_fd;
    int m_cancelFd;
    ssl_st *m_ssl = nullptr;
};
