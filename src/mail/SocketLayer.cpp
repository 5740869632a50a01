#include "SocketLayer.h"

#include "MailErrors.h"
#include "TlsSession.h"

#include <QStringList>

#include <algorithm>
#include <arpa/inet.h>
#include <cstring>
#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

HostLookup g_hostLookup = ::getaddrinfo;

[[noreturn]] void throwErrno(int err)
{
    throw SocketError(socketCodeFromErrno(err));
}

int ownFamily(int fd)
{
    sockaddr_storage own{};
    socklen_t len = sizeof own;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&own), &len);
    return own.ss_family;
}

QString stripBrackets(const QString &host)
{
    if (host.startsWith(QLatin1Char('[')) && host.endsWith(QLatin1Char(']')))
        return host.mid(1, host.size() - 2);
    return host;
}

// Fills address from a literal of either family; false when text is none.
bool parseLiteral(const QString &text, quint16 port, HostAddress &address)
{
    const QByteArray bytes = stripBrackets(text).toLatin1();
    auto *v4 = reinterpret_cast<sockaddr_in *>(&address.address);
    if (isDottedIPv4(text) && inet_pton(AF_INET, bytes.constData(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(port);
        address.length = sizeof(sockaddr_in);
        return true;
    }
    auto *v6 = reinterpret_cast<sockaddr_in6 *>(&address.address);
    if (text.contains(QLatin1Char(':')) && inet_pton(AF_INET6, bytes.constData(), &v6->sin6_addr) == 1) {
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(port);
        address.length = sizeof(sockaddr_in6);
        return true;
    }
    return false;
}

// The address to bind or connect to, in the socket's family; empty text is "any".
HostAddress makeAddress(const QString &address, quint16 port, int family)
{
    HostAddress result;
    if (address.isEmpty()) {
        parseLiteral(family == AF_INET6 ? QStringLiteral("::") : QStringLiteral("0.0.0.0"), port, result);
        return result;
    }
    for (const HostAddress &candidate : resolveHostAddresses(address, port))
        if (candidate.family() == family)
            return candidate;
    throw SocketError(10049);
}

} // namespace

bool isDottedIPv4(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString &part : parts) {
        if (part.isEmpty() || part.size() > 3)
            return false;
        for (QChar c : part)
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        if (part.toInt() > 255)
            return false;
    }
    return true;
}

bool waitForSocket(int fd, short events, int timeoutMs, int cancelFd)
{
    pollfd p[2] = {{fd, events, 0}, {cancelFd, POLLIN, 0}};
    for (;;) {
        const int r = ::poll(p, cancelFd >= 0 ? 2 : 1, timeoutMs < 0 ? -1 : timeoutMs);
        if (cancelFd >= 0 && (p[1].revents & POLLIN))
            throw SessionCancelledError();
        if (r > 0)
            return true;
        if (r == 0)
            return false;
        if (errno != EINTR)
            throwErrno(errno);
    }
}

QString HostAddress::text() const
{
    char text[INET6_ADDRSTRLEN] = {};
    if (family() == AF_INET6)
        ::inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6 *>(&address)->sin6_addr, text, sizeof text);
    else
        ::inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in *>(&address)->sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

void setHostLookup(HostLookup lookup)
{
    g_hostLookup = lookup ? lookup : ::getaddrinfo;
}

QList<HostAddress> resolveHostAddresses(const QString &host, quint16 port)
{
    HostAddress literal;
    if (host.compare(QLatin1String("LOCALHOST"), Qt::CaseInsensitive) == 0)
        parseLiteral(QStringLiteral("127.0.0.1"), port, literal);
    if (literal.length > 0 || parseLiteral(host, port, literal))
        return {literal};
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const int rc = g_hostLookup(host.toUtf8().constData(), nullptr, &hints, &found);
    if (rc != 0) {
        if (rc == EAI_SYSTEM)
            throwErrno(errno);
        throw SocketError(rc);
    }
    QList<HostAddress> addresses;
    for (const addrinfo *ai = found; ai; ai = ai->ai_next) {
        if (ai->ai_family != AF_INET && ai->ai_family != AF_INET6)
            continue;
        HostAddress a;
        std::memcpy(&a.address, ai->ai_addr, ai->ai_addrlen);
        a.length = ai->ai_addrlen;
        if (a.family() == AF_INET6)
            reinterpret_cast<sockaddr_in6 *>(&a.address)->sin6_port = htons(port);
        else
            reinterpret_cast<sockaddr_in *>(&a.address)->sin_port = htons(port);
        const bool seen = std::any_of(addresses.cbegin(), addresses.cend(),
                                      [&](const HostAddress &b) { return b.text() == a.text(); });
        if (!seen)
            addresses.append(a);
    }
    ::freeaddrinfo(found);
    return addresses;
}

QString ehloDomain(const QString &hostName, const QString &localAddress)
{
    if (hostName.contains(QLatin1Char('.')) && !hostName.startsWith(QLatin1Char('.'))
        && !hostName.endsWith(QLatin1Char('.')))
        return hostName;
    if (localAddress.contains(QLatin1Char(':')))
        return QStringLiteral("[IPv6:") + localAddress + QLatin1Char(']');
    return QLatin1Char('[') + localAddress + QLatin1Char(']');
}

CancelSignal::CancelSignal()
    : m_fd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
}

CancelSignal::~CancelSignal()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void CancelSignal::raise()
{
    const quint64 one = 1;
    [[maybe_unused]] const ssize_t n = ::write(m_fd, &one, sizeof one);
}

void CancelSignal::clear()
{
    quint64 count = 0;
    [[maybe_unused]] const ssize_t n = ::read(m_fd, &count, sizeof count);
}

bool CancelSignal::raised() const
{
    pollfd p{m_fd, POLLIN, 0};
    return ::poll(&p, 1, 0) > 0;
}

QString resolveHostAddress(const QString &host)
{
    if (host.compare(QLatin1String("LOCALHOST"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("127.0.0.1");
    if (isDottedIPv4(host))
        return host;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo *found = nullptr;
    const int rc = g_hostLookup(host.toUtf8().constData(), nullptr, &hints, &found);
    if (rc != 0) {
        if (rc == EAI_SYSTEM)
            throwErrno(errno);
        throw SocketError(rc);
    }
    char text[INET_ADDRSTRLEN] = {};
    const auto *sa = reinterpret_cast<const sockaddr_in *>(found->ai_addr);
    ::inet_ntop(AF_INET, &sa->sin_addr, text, sizeof text);
    ::freeaddrinfo(found);
    return QString::fromLatin1(text);
}

QString localHostName()
{
    char name[251] = {};
    if (::gethostname(name, 250) != 0)
        throwErrno(errno);
    return QString::fromLocal8Bit(name);
}

SocketHandle::SocketHandle() = default;

SocketHandle::~SocketHandle()
{
    close();
}

int SocketHandle::cancelFd() const
{
    return m_cancel ? m_cancel->fd() : -1;
}

void SocketHandle::allocate(int family)
{
    m_fd = ::socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        throw InvalidSocketError();
}

void SocketHandle::bind(const QString &address, quint16 port)
{
    const HostAddress sa = makeAddress(address, port, ownFamily(m_fd));
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&sa.address), sa.length) != 0) {
        if (errno == EADDRINUSE)
            throw CouldNotBindSocketError();
        throwErrno(errno);
    }
}

void SocketHandle::setNoDelay()
{
    const int on = 1;
    if (::setsockopt(m_fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) != 0)
        throwErrno(errno);
}

void SocketHandle::connect(const QString &address, quint16 port, int timeoutMs)
{
    connect(makeAddress(address, port, ownFamily(m_fd)), timeoutMs);
}

void SocketHandle::connect(const HostAddress &address, int timeoutMs)
{
    const int flags = ::fcntl(m_fd, F_GETFL);
    ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&address.address), address.length) != 0) {
        if (errno != EINPROGRESS)
            throwErrno(errno);
        if (!waitForSocket(m_fd, POLLOUT, timeoutMs, cancelFd()))
            throw SocketError(10060);
        int err = 0;
        socklen_t len = sizeof err;
        ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &err, &len);
        if (err != 0)
            throwErrno(err);
    }
    ::fcntl(m_fd, F_SETFL, flags);
}

void SocketHandle::startTls(const QString &serverName, int timeoutMs)
{
    m_ioTimeoutMs = timeoutMs;
    m_tls = std::make_unique<TlsSession>(m_fd, serverName, timeoutMs, cancelFd());
}

bool SocketHandle::waitReadable(int timeoutMs)
{
    if (m_tls && m_tls->pending())
        return true;
    return waitForSocket(m_fd, POLLIN, timeoutMs, cancelFd());
}

bool SocketHandle::waitWritable(int timeoutMs)
{
    return waitForSocket(m_fd, POLLOUT, timeoutMs, cancelFd());
}

qint64 SocketHandle::receive(char *buffer, qint64 size, int timeoutMs)
{
    if (m_tls)
        return m_tls->read(buffer, size, timeoutMs);
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer, size_t(size), 0);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            throwErrno(errno);
    }
}

qint64 SocketHandle::send(const char *data, qint64 size)
{
    if (m_tls)
        return m_tls->write(data, size, m_ioTimeoutMs);
    for (;;) {
        const ssize_t n = ::send(m_fd, data, size_t(size), MSG_NOSIGNAL);
        if (n >= 0)
            return n;
        if (errno != EINTR)
            throwErrno(errno);
    }
}

void SocketHandle::shutdownSend()
{
    if (m_tls)
        m_tls->shutdown();
    if (m_fd >= 0)
        ::shutdown(m_fd, SHUT_WR);
}

void SocketHandle::close()
{
    m_tls.reset();
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

namespace {

sockaddr_storage endOf(int fd, bool peer)
{
    sockaddr_storage sa{};
    socklen_t len = sizeof sa;
    auto *p = reinterpret_cast<sockaddr *>(&sa);
    if (fd < 0 || (peer ? ::getpeername(fd, p, &len) : ::getsockname(fd, p, &len)) != 0)
        sa.ss_family = AF_UNSPEC;
    return sa;
}

QString addressText(const sockaddr_storage &sa)
{
    if (sa.ss_family != AF_INET && sa.ss_family != AF_INET6)
        return QString();
    HostAddress a;
    a.address = sa;
    return a.text();
}

quint16 portOf(const sockaddr_storage &sa)
{
    if (sa.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6 *>(&sa)->sin6_port);
    if (sa.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in *>(&sa)->sin_port);
    return 0;
}

} // namespace

QString SocketHandle::peerAddress() const
{
    return addressText(endOf(m_fd, true));
}

quint16 SocketHandle::peerPort() const
{
    return portOf(endOf(m_fd, true));
}

quint16 SocketHandle::localPort() const
{
    return portOf(endOf(m_fd, false));
}

QString SocketHandle::localAddress() const
{
    return addressText(endOf(m_fd, false));
}
