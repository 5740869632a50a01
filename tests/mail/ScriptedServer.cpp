#include "ScriptedServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
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
        const ssize_t n = readable(fd) ? ::recv(fd, buffer, sizeof buffer, 0) : 0;
        if (n <= 0)
            return false;
        m_received.append(buffer, size_t(n));
        m_pending.append(buffer, size_t(n));
    }
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
        if (step.kind == Step::Send)
            ::send(fd, step.text.data(), step.text.size(), MSG_NOSIGNAL);
        else if (step.kind == Step::ReadLine)
            open = readLineInto(fd, line);
        else if (step.kind == Step::ReadData)
            while ((open = readLineInto(fd, line)) && line != ".\r\n") {
            }
        else if (step.kind == Step::Close)
            break;
        else if (step.kind == Step::Trickle)
            for (char c : step.text) {
                if (::send(fd, &c, 1, MSG_NOSIGNAL) != 1)
                    break;
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        if (!open)
            break;
    }
    if (open && (m_script.empty() || m_script.back().kind != Step::Close))
        while (readLineInto(fd, line)) {
        }
    if (!m_pending.empty())
        m_pending.clear();
    ::close(fd);
}
