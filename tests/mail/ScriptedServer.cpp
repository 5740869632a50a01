#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <openssl/ssl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/time.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

namespace {

constexpr int kWaitMs = 5000;

bool readable(int fd)
{
    pollfd p{fd, POLLIN, 0};
    return ::poll(&p, 1, kWaitMs) > 0;
}

int listenOnLoopback(uint16_t &port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0 || ::listen(fd, 1) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    socklen_t len = sizeof sa;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&sa), &len);
    port = ntohs(sa.sin_port);
    return fd;
}

} // namespace

std::vector<ScriptedServer::Step> script(std::initializer_list<std::vector<ScriptedServer::Step>> pieces)
{
    std::vector<ScriptedServer::Step> all;
    for (const auto &piece : pieces)
        all.insert(all.end(), piece.begin(), piece.end());
    return all;
}

uint16_t unusedPort()
{
    // Bound but never listening: a connect is refused, and as the socket stays open for the
    // life of the test program, no other test running beside it can take the port.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr *>(&sa), sizeof sa) != 0)
        throw std::runtime_error("cannot bind on 127.0.0.1");
    socklen_t len = sizeof sa;
    ::getsockname(fd, reinterpret_cast<sockaddr *>(&sa), &len);
    return ntohs(sa.sin_port);
}

ScriptedServer::ScriptedServer(std::vector<Step> script)
    : m_script(std::move(script))
{
    m_listenFd = listenOnLoopback(m_port);
    m_thread = std::thread([this] { run(); });
}

ScriptedServer::~ScriptedServer()
{
    if (m_thread.joinable())
        m_thread.join();
    ::close(m_listenFd);
}

std::string ScriptedServer::received()
{
    if (m_thread.joinable())
        m_thread.join();
    return m_received;
}

std::vector<std::string> ScriptedServer::receivedLines()
{
    const std::string all = received();
    std::vector<std::string> lines;
    size_t from = 0;
    for (size_t at; (at = all.find("\r\n", from)) != std::string::npos; from = at + 2)
        lines.push_back(all.substr(from, at - from));
    if (from < all.size())
        lines.push_back(all.substr(from));
    return lines;
}

// Appends received bytes until a whole line is pending; false when the client closed.
bool ScriptedServer::readLineInto(int fd, std::string &line)
{
    for (;;) {
        const size_t lf = m_pending.find('\n');
        if (lf != std::string::npos) {
            line = m_pending.substr(0, lf + 1);
            m_pending.erase(0, lf + 1);
            return true;
        }
        char buffer[4096];
        const long n = (m_tls && SSL_pending(m_tls) > 0) || readable(fd) ? receive(fd, buffer, sizeof buffer) : 0;
        if (n <= 0)
            return false;
        m_received.append(buffer, size_t(n));
        m_pending.append(buffer, size_t(n));
    }
}

long ScriptedServer::transmit(int fd, const char *data, size_t size)
{
    return m_tls ? SSL_write(m_tls, data, int(size)) : ::send(fd, data, size, MSG_NOSIGNAL);
}

long ScriptedServer::receive(int fd, char *buffer, size_t size)
{
    return m_tls ? SSL_read(m_tls, buffer, int(size)) : ::recv(fd, buffer, size, 0);
}

// The server's side of the handshake on the blocking socket; a client that never answers
// ends it after the socket's receive time limit.
bool ScriptedServer::acceptTls(int fd, const std::string &certificateBase)
{
    SSL_CTX *context = SSL_CTX_new(TLS_server_method());
    const bool loaded = context
                        && SSL_CTX_use_certificate_chain_file(context, (certificateBase + ".pem").c_str()) == 1
                        && SSL_CTX_use_PrivateKey_file(context, (certificateBase + ".key").c_str(), SSL_FILETYPE_PEM) == 1;
    if (loaded) {
        timeval limit{kWaitMs / 1000, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
        m_tls = SSL_new(context);
        SSL_set_fd(m_tls, fd);
    }
    SSL_CTX_free(context);
    return m_tls && SSL_accept(m_tls) == 1;
}

void ScriptedServer::run()
{
    if (!readable(m_listenFd))
        return;
    const int fd = ::accept(m_listenFd, nullptr, nullptr);
    if (fd < 0)
        return;
    std::string line;
    bool open = true;
    for (const Step &step : m_script) {
        if (step.kind == Step::Kind::Send)
            transmit(fd, step.text.data(), step.text.size());
        else if (step.kind == Step::Kind::ReadLine)
            open = readLineInto(fd, line);
        else if (step.kind == Step::Kind::ReadData)
            while ((open = readLineInto(fd, line)) && line != ".\r\n") {
            }
        else if (step.kind == Step::Kind::Close)
            break;
        else if (step.kind == Step::Kind::Trickle)
            for (char c : step.text) {
                if (transmit(fd, &c, 1) != 1)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        else if (step.kind == Step::Kind::StartTls)
            open = acceptTls(fd, step.text);
        if (!open)
            break;
    }
    if (open && (m_script.empty() || m_script.back().kind != Step::Kind::Close))
        while (readLineInto(fd, line)) {
        }
    if (!m_pending.empty())
        m_pending.clear();
    if (m_tls) {
        SSL_free(m_tls);
        m_tls = nullptr;
    }
    ::close(fd);
}
