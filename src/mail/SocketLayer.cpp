#include "SocketLayer.h"

#include "MailErrors.h"

#include <QStringList>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

struct CodeText
{
    int code;
    const char *text;
};

constexpr CodeText kSocketErrorTexts[] = {
    {10004, "Interrupted system call."},
    {10009, "Bad file number."},
    {10013, "Access denied."},
    {10014, "Bad address."},
    {10022, "Invalid argument."},
    {10024, "Too many open files."},
    {10035, "Operation would block. "},
    {10036, "Operation now in progress."},
    {10037, "Operation already in progress."},
    {10038, "Socket operation on non-socket."},
    {10039, "Destination address required."},
    {10040, "Message too long."},
    {10041, "Protocol wrong type for socket."},
    {10042, "Bad protocol option."},
    {10043, "Protocol not supported."},
    {10044, "Socket type not supported."},
    {10045, "Operation not supported on socket."},
    {10046, "Protocol family not supported."},
    {10047, "Address family not supported by protocol family."},
    {10048, "Address already in use."},
    {10049, "Cannot assign requested address."},
    {10050, "Network is down."},
    {10051, "Network is unreachable."},
    {10052, "Net dropped connection or reset."},
    {10053, "Software caused connection abort."},
    {10054, "Connection reset by peer."},
    {10055, "No buffer space available."},
    {10056, "Socket is already connected."},
    {10057, "Socket is not connected."},
    {10058, "Cannot send or receive after socket is closed."},
    {10059, "Too many references, cannot splice."},
    {10060, "Connection timed out."},
    {10061, "Connection refused."},
    {10062, "Too many levels of symbolic links."},
    {10063, "File name too long."},
    {10064, "Host is down."},
    {10065, "No route to host."},
    {10066, "Directory not empty"},
};

struct ErrnoCode
{
    int err;
    int code;
};

// EPIPE has no Winsock twin; a send after the peer went away is what 10058 describes.
constexpr ErrnoCode kErrnoCodes[] = {
    {EINTR, 10004},        {EBADF, 10009},           {EACCES, 10013},
    {EFAULT, 10014},       {EINVAL, 10022},          {EMFILE, 10024},
    {EWOULDBLOCK, 10035},  {EINPROGRESS, 10036},     {EALREADY, 10037},
    {ENOTSOCK, 10038},     {EDESTADDRREQ, 10039},    {EMSGSIZE, 10040},
    {EPROTOTYPE, 10041},   {ENOPROTOOPT, 10042},     {EPROTONOSUPPORT, 10043},
    {ESOCKTNOSUPPORT, 10044}, {EOPNOTSUPP, 10045},   {EPFNOSUPPORT, 10046},
    {EAFNOSUPPORT, 10047}, {EADDRINUSE, 10048},      {EADDRNOTAVAIL, 10049},
    {ENETDOWN, 10050},     {ENETUNREACH, 10051},     {ENETRESET, 10052},
    {ECONNABORTED, 10053}, {ECONNRESET, 10054},      {ENOBUFS, 10055},
    {EISCONN, 10056},      {ENOTCONN, 10057},        {ESHUTDOWN, 10058},
    {EPIPE, 10058},        {ETOOMANYREFS, 10059},    {ETIMEDOUT, 10060},
    {ECONNREFUSED, 10061}, {ELOOP, 10062},           {ENAMETOOLONG, 10063},
    {EHOSTDOWN, 10064},    {EHOSTUNREACH, 10065},    {ENOTEMPTY, 10066},
};

[[noreturn]] void throwErrno(int err)
{
    throw SocketError(socketCodeFromErrno(err));
}

sockaddr_in makeAddress(const QString &address, quint16 port)
{
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    if (address.isEmpty())
        sa.sin_addr.s_addr = htonl(INADDR_ANY);
    else if (inet_pton(AF_INET, resolveHostAddress(address).toLatin1().constData(), &sa.sin_addr) != 1)
        throw SocketError(10022);
    return sa;
}

// poll() for one event, restarting after a signal; false when the time ran out.
bool waitFor(int fd, short events, int timeoutMs)
{
    pollfd p{fd, events, 0};
    for (;;) {
        const int r = ::poll(&p, 1, timeoutMs < 0 ? -1 : timeoutMs);
        if (r > 0)
            return true;
        if (r == 0)
            return false;
        if (errno != EINTR)
            throwErrno(errno);
    }
}

std::mutex stackMutex;
std::weak_ptr<SocketLayer> stackInstance;

} // namespace

QString socketErrorDescription(int code)
{
    for (const CodeText &row : kSocketErrorTexts)
        if (row.code == code)
            return QString::fromLatin1(row.text);
    return QString();
}

int socketCodeFromErrno(int err)
{
    for (const ErrnoCode &row : kErrnoCodes)
        if (row.err == err)
            return row.code;
    return err;
}

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
    const int rc = ::getaddrinfo(host.toUtf8().constData(), nullptr, &hints, &found);
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

std::shared_ptr<SocketLayer> SocketLayer::acquire()
{
    std::lock_guard<std::mutex> lock(stackMutex);
    std::shared_ptr<SocketLayer> stack = stackInstance.lock();
    if (!stack) {
        stack.reset(new SocketLayer);
        stackInstance = stack;
    }
    return stack;
}

bool SocketLayer::isRunning()
{
    std::lock_guard<std::mutex> lock(stackMutex);
    return !stackInstance.expired();
}

SocketLayer::SocketLayer() = default;

SocketLayer::~SocketLayer() = default;

SocketHandle::~SocketHandle()
{
    close();
}

void SocketHandle::allocate()
{
    m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0)
        throw InvalidSocketError();
}

void SocketHandle::bind(const QString &address, quint16 port)
{
    const sockaddr_in sa = makeAddress(address, port);
    if (::bind(m_fd, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) != 0) {
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
    const sockaddr_in sa = makeAddress(address, port);
    const int flags = ::fcntl(m_fd, F_GETFL);
    ::fcntl(m_fd, F_SETFL, flags | O_NONBLOCK);
    if (::connect(m_fd, reinterpret_cast<const sockaddr *>(&sa), sizeof sa) != 0) {
        if (errno != EINPROGRESS)
            throwErrno(errno);
        if (!waitFor(m_fd, POLLOUT, timeoutMs))
            throw SocketError(10060);
        int err = 0;
        socklen_t len = sizeof err;
        ::getsockopt(m_fd, SOL_SOCKET, SO_ERROR, &err, &len);
        if (err != 0)
            throwErrno(err);
    }
    ::fcntl(m_fd, F_SETFL, flags);
}

bool SocketHandle::waitReadable(int timeoutMs)
{
    return waitFor(m_fd, POLLIN, timeoutMs);
}

bool SocketHandle::waitWritable(int timeoutMs)
{
    return waitFor(m_fd, POLLOUT, timeoutMs);
}

qint64 SocketHandle::receive(char *buffer, qint64 size)
{
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
    if (m_fd >= 0)
        ::shutdown(m_fd, SHUT_WR);
}

void SocketHandle::close()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

QString SocketHandle::peerAddress() const
{
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (m_fd < 0 || ::getpeername(m_fd, reinterpret_cast<sockaddr *>(&sa), &len) != 0)
        return QString();
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &sa.sin_addr, text, sizeof text);
    return QString::fromLatin1(text);
}

quint16 SocketHandle::peerPort() const
{
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (m_fd < 0 || ::getpeername(m_fd, reinterpret_cast<sockaddr *>(&sa), &len) != 0)
        return 0;
    return ntohs(sa.sin_port);
}

quint16 SocketHandle::localPort() const
{
    sockaddr_in sa{};
    socklen_t len = sizeof sa;
    if (m_fd < 0 || ::getsockname(m_fd, reinterpret_cast<sockaddr *>(&sa), &len) != 0)
        return 0;
    return ntohs(sa.sin_port);
}
