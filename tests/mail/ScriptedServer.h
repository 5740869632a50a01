#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ssl_st;

// A one-connection TCP server on 127.0.0.1 that plays a script and records every byte it
// receives. After the script it keeps reading until the client closes, so a trailing "Quit"
// is recorded too. Every wait is capped (a few seconds) so a broken client cannot hang a test.
class ScriptedServer
{
public:
    struct Step
    {
        enum class Kind { Send, ReadLine, ReadData, Close, Trickle, StartTls };
        Kind kind;
        std::string text;
    };
    static Step send(std::string text) { return {Step::Kind::Send, std::move(text)}; }
    static Step readLine() { return {Step::Kind::ReadLine, {}}; }
    static Step readData() { return {Step::Kind::ReadData, {}}; }   // up to and with the "." line
    static Step close() { return {Step::Kind::Close, {}}; }
    // Sends text one byte every 50 ms: a server that keeps a session alive without answering.
    static Step trickle(std::string text) { return {Step::Kind::Trickle, std::move(text)}; }
    // Turns the connection into TLS as a server with certificate <base>.pem and key
    // <base>.key; every later step, and what is recorded, is the plain text inside TLS.
    static Step startTls(std::string certificateBase) { return {Step::Kind::StartTls, std::move(certificateBase)}; }
    // Reads one command line and answers it.
    static std::vector<Step> answer(const std::string &reply) { return {readLine(), send(reply)}; }

    explicit ScriptedServer(std::vector<Step> script);
    ~ScriptedServer();

    uint16_t port() const { return m_port; }
    // Waits until the server is done, then returns everything it received.
    std::string received();
    // The received bytes cut into lines at CR LF.
    std::vector<std::string> receivedLines();

private:
    void run();
    bool readLineInto(int fd, std::string &line);
    bool acceptTls(int fd, const std::string &certificateBase);
    long transmit(int fd, const char *data, size_t size);
    long receive(int fd, char *buffer, size_t size);

    std::vector<Step> m_script;
    int m_listenFd = -1;
    uint16_t m_port = 0;
    std::string m_received;
    std::string m_pending;
    std::thread m_thread;
    ssl_st *m_tls = nullptr;
};

// Builds a script from pieces: steps and answer() pairs.
std::vector<ScriptedServer::Step> script(
    std::initializer_list<std::vector<ScriptedServer::Step>> pieces);

// A port on 127.0.0.1 that nothing listens on, reserved for the rest of the test program.
uint16_t unusedPort();
