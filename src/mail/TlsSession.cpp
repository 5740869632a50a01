#include "TlsSession.h"

#include "MailErrors.h"
#include "SocketLayer.h"

#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <map>
#include <mutex>
#include <csignal>
#include <poll.h>
#include <string>

namespace {

// One client context per trust store location: loading the store is the slow part of a
// handshake, and the store only changes with SSL_CERT_FILE / SSL_CERT_DIR.
SSL_CTX *clientContext()
{
    static std::mutex mutex;
    static std::map<std::string, SSL_CTX *> contexts;
    const char *file = std::getenv("SSL_CERT_FILE");
    const char *dir = std::getenv("SSL_CERT_DIR");
    const std::string key = std::string(file ? file : "") + '\n' + (dir ? dir : "");
    std::lock_guard<std::mutex> lock(mutex);
    SSL_CTX *&ctx = contexts[key];
    if (!ctx) {
        // OpenSSL writes with write(), not send(MSG_NOSIGNAL): a server that has gone away
        // must give an error, not end the program with SIGPIPE.
        struct sigaction current {};
        if (::sigaction(SIGPIPE, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
            ::signal(SIGPIPE, SIG_IGN);
        ctx = SSL_CTX_new(TLS_client_method());
        if (!ctx)
            throw TlsError(QStringLiteral("The secure connection could not be prepared."));
        SSL_CTX_set_min_proto_version(ctx, TLS1_2_VERSION);
        SSL_CTX_set_default_verify_paths(ctx);
        SSL_CTX_set_verify(ctx, SSL_VERIFY_PEER, nullptr);
    }
    return ctx;
}

// OpenSSL's reason for the last failure in words ("wrong version number"), without its
// "error:0A00010B:SSL routines::" code; empty when it gives none.
QString openSslReason(unsigned long code)
{
    if (code == 0)
        return QString();
    const char *reason = ERR_reason_error_string(code);
    return reason ? QString::fromLatin1(reason) : QString();
}

bool isAddressLiteral(const QString &name)
{
    return isDottedIPv4(name) || name.contains(QLatin1Char(':'));
}

} // namespace

QString certificateFailureText(long verifyResult)
{
    const QString prefix = QStringLiteral("The server's certificate was not accepted: ");
    switch (verifyResult) {
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return prefix + QStringLiteral("it has expired.");
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return prefix + QStringLiteral("it is not valid yet.");
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return prefix + QStringLiteral("it was issued for another host name.");
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return prefix + QStringLiteral("it was issued by an unknown authority.");
    case X509_V_ERR_CERT_REVOKED:
        return prefix + QStringLiteral("it has been revoked.");
    default:
        return prefix + QString::fromLatin1(X509_verify_cert_error_string(verifyResult)) + QLatin1Char('.');
    }
}

TlsSession::TlsSession(int fd, const QString &serverName, int timeoutMs, int cancelFd)
    : m_fd(fd)
    , m_cancelFd(cancelFd)
{
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
    ERR_clear_error();
    m_ssl = SSL_new(clientContext());
    if (!m_ssl)
        throw TlsError(QStringLiteral("The secure connection could not be prepared."));
    try {
        handshake(serverName, timeoutMs);
    } catch (...) {
        SSL_free(m_ssl);
        throw;
    }
}

void TlsSession::handshake(const QString &serverName, int timeoutMs)
{
    SSL_set_fd(m_ssl, fd());
    const QByteArray name = serverName.toUtf8();
    if (isAddressLiteral(serverName)) {
        X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(m_ssl), name.constData());
    } else {
        SSL_set_tlsext_host_name(m_ssl, name.constData());
        SSL_set1_host(m_ssl, name.constData());
    }
    for (;;) {
        const int r = SSL_connect(m_ssl);
        if (r == 1)
            break;
        const long verify = SSL_get_verify_result(m_ssl);
        if (verify != X509_V_OK)
            throw TlsError(certificateFailureText(verify));
        try {
            waitFor(r, timeoutMs);
        } catch (const ConnectionClosedError &) {
            throw TlsError(QStringLiteral("The server closed the connection during the TLS handshake."));
        }
    }
}

TlsSession::~TlsSession()
{
    SSL_free(m_ssl);
}

void TlsSession::waitFor(int result, int timeoutMs)
{
    const int error = SSL_get_error(m_ssl, result);
    short events = 0;
    if (error == SSL_ERROR_WANT_READ)
        events = POLLIN;
    else if (error == SSL_ERROR_WANT_WRITE)
        events = POLLOUT;
    if (events != 0) {
        if (!waitForSocket(m_fd, events, timeoutMs, m_cancelFd))
            throw SocketError(10060);
        return;
    }
    if (error == SSL_ERROR_ZERO_RETURN || (error == SSL_ERROR_SYSCALL && errno == 0))
        throw ConnectionClosedError();
    if (error == SSL_ERROR_SYSCALL)
        throw SocketError(socketCodeFromErrno(errno));
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
#ifdef SSL_R_UNEXPECTED_EOF_WHILE_READING
    // OpenSSL 3 reports a peer that went away without a word as a protocol error.
    if (ERR_GET_REASON(code) == SSL_R_UNEXPECTED_EOF_WHILE_READING)
        throw ConnectionClosedError();
#endif
    const QString detail = openSslReason(code);
    throw TlsError(QStringLiteral("The secure connection to the server failed%1.")
                       .arg(detail.isEmpty() ? QString() : QStringLiteral(" (") + detail + QLatin1Char(')')));
}

qint64 TlsSession::read(char *buffer, qint64 size, int timeoutMs)
{
    for (;;) {
        errno = 0;
        const int r = SSL_read(m_ssl, buffer, int(qMin<qint64>(size, 1 << 30)));
        if (r > 0)
            return r;
        const int error = SSL_get_error(m_ssl, r);
        if (error == SSL_ERROR_ZERO_RETURN || (error == SSL_ERROR_SYSCALL && errno == 0))
            return 0;
        waitFor(r, timeoutMs);
    }
}

qint64 TlsSession::write(const char *data, qint64 size, int timeoutMs)
{
    for (;;) {
        errno = 0;
        const int r = SSL_write(m_ssl, data, int(qMin<qint64>(size, 1 << 30)));
        if (r > 0)
            return r;
        waitFor(r, timeoutMs);
    }
}

bool TlsSession::pending() const
{
    return SSL_pending(m_ssl) > 0;
}

void TlsSession::shutdown()
{
    // One attempt only: the session is ending and the server's answer is not awaited.
    SSL_shutdown(m_ssl);
    ERR_clear_error();
}
