#include "TcpConnection.h"

#include <QIODevice>

#include <algorithm>

namespace {

// What is left of a time limit that started at start; negative limits stay "no limit".
int remainingMs(int limitMs, std::chrono::steady_clock::time_point start)
{
    if (limitMs < 0)
        return -1;
    using namespace std::chrono;
    const auto spent = duration_cast<milliseconds>(steady_clock::now() - start).count();
    return int(qMax<long long>(0, limitMs - spent));
}

} // namespace

TcpConnection::~TcpConnection()
{
    m_socket.close();
}

void TcpConnection::connect()
{
    if (m_socket.allocated())
        throw AlreadyConnectedError();
    m_inputBuffer.clear();
    m_outputBuffer.clear();
    m_closedGracefully = false;
    const auto start = std::chrono::steady_clock::now();
    const QList<HostAddress> addresses = resolveHostAddresses(host, port);
    for (int i = 0; i < addresses.size(); ++i) {
        try {
            m_socket.allocate(addresses[i].family());
            m_socket.bind(boundAddress, 0);
            if (!useNagle)
                m_socket.setNoDelay();
            m_socket.connect(addresses[i], remainingMs(connectTimeoutMs, start));
            break;
        } catch (const SessionCancelledError &) {
            m_socket.close();
            throw;
        } catch (...) {
            m_socket.close();
            if (i + 1 == addresses.size())
                throw;
        }
    }
    if (onConnected)
        onConnected();
}

bool TcpConnection::connected()
{
    checkForDisconnect(false);
    return m_socket.allocated();
}

// A peer that has closed (or a socket already gone) closes our side too; callers that cannot
// go on without the connection then fail with "Connection Closed Gracefully.".
void TcpConnection::checkForDisconnect(bool raiseIfClosed)
{
    if (m_closedGracefully || !m_socket.allocated()) {
        if (m_socket.allocated())
            closeSocket();
        if (raiseIfClosed)
            throw ConnectionClosedError();
    }
}

void TcpConnection::write(const QByteArray &bytes)
{
    checkForDisconnect(true);
    m_outputBuffer.append(bytes);
    if (m_outputBuffer.size() < kSendBlockSize)
        return;
    // Whole blocks go now; the rest waits for more lines, a reply or the close.
    const qsizetype whole = m_outputBuffer.size() - m_outputBuffer.size() % kSendBlockSize;
    const QByteArray blocks = m_outputBuffer.left(whole);
    m_outputBuffer.remove(0, whole);
    for (qsizetype at = 0; at < blocks.size(); at += kSendBlockSize)
        sendNow(blocks.constData() + at, kSendBlockSize);
}

void TcpConnection::flush()
{
    if (m_outputBuffer.isEmpty())
        return;
    const QByteArray pending = m_outputBuffer;
    m_outputBuffer.clear();
    sendNow(pending.constData(), pending.size());
}

void TcpConnection::sendNow(const char *data, qint64 size)
{
    checkForDisconnect(true);
    qint64 sent = 0;
    while (sent < size) {
        if (!m_socket.waitWritable(readTimeoutMs))
            throw SocketError(10060);
        qint64 n = 0;
        try {
            n = m_socket.send(data + sent, size - sent);
        } catch (const SocketError &e) {
            if (e.code() == 10058)
                closeSocket();
            throw;
        }
        if (n == 0) {
            m_closedGracefully = true;
            checkForDisconnect(true);
        }
        sent += n;
    }
}

void TcpConnection::write(const QString &text)
{
    write(text.toUtf8());
}

void TcpConnection::writeLine(const QString &text)
{
    write(text.toUtf8() + "\r\n");
}

void TcpConnection::writeLines(const QStringList &lines)
{
    for (const QString &line : lines)
        writeLine(line);
}

void TcpConnection::writeStream(QIODevice &stream, bool fromStart, qint64 byteCount)
{
    if (fromStart)
        stream.seek(0);
    if (byteCount < 0)
        byteCount = stream.size() - stream.pos();
    while (byteCount > 0) {
        const QByteArray block = stream.read(qMin<qint64>(byteCount, kSendBlockSize));
        if (block.isEmpty())
            throw NoDataToReadError();
        write(block);
        byteCount -= block.size();
    }
}

// The time one wait for data may take: readTimeoutMs, cut short by the deadline of the reply
// being read.
int TcpConnection::waitLimitMs() const
{
    if (!m_replyDeadlineSet)
        return readTimeoutMs;
    using namespace std::chrono;
    const long long left = duration_cast<milliseconds>(m_replyDeadline - steady_clock::now()).count();
    return int(std::clamp<long long>(left, 0, readTimeoutMs < 0 ? left : readTimeoutMs));
}

void TcpConnection::readFromStack()
{
    flush();
    checkForDisconnect(true);
    if (!m_socket.waitReadable(waitLimitMs()))
        throw SocketError(10060);
    char block[kReceiveBlockSize];
    qint64 n = 0;
    try {
        n = m_socket.receive(block, kReceiveBlockSize, waitLimitMs());
    } catch (const SocketError &e) {
        if (e.code() != 10058)
            throw;
        closeSocket();
        if (m_inputBuffer.isEmpty())
            throw;
        return;
    }
    if (n == 0) {
        m_closedGracefully = true;
        return;
    }
    m_inputBuffer.append(block, int(n));
}

QString TcpConnection::readLine()
{
    QString line;
    while (!cutLine(m_inputBuffer, maxLineLength, line))
        readFromStack();
    return line;
}

QString TcpConnection::readNonEmptyLine()
{
    for (;;) {
        const QString line = trimReplyLine(readLine());
        if (!line.isEmpty())
            return line;
    }
}

int TcpConnection::replyCodeOf(const QString &line)
{
    if (line.startsWith(QLatin1String("+OK")))
        return 1;
    if (line.startsWith(QLatin1String("-ERR")))
        return 0;
    // Three digits and nothing else: "-05" or "+12" is no reply code.
    if (line.size() < 3)
        return 0;
    int code = 0;
    for (int i = 0; i < 3; ++i) {
        const QChar c = line.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
        code = code * 10 + c.digitValue();
    }
    return code;
}

int TcpConnection::readReply(const QList<int> &allowed)
{
    m_replyLines.clear();
    m_reply.reset();
    m_replyDeadlineSet = readTimeoutMs >= 0;
    m_replyDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(readTimeoutMs);
    struct DeadlineOff
    {
        bool &set;
        ~DeadlineOff() { set = false; }
    } deadlineOff{m_replyDeadlineSet};
    while (m_reply.addLine(readNonEmptyLine()) != ReplyAssembler::State::Complete) {
    }
    m_replyLines = m_reply.lines();
    m_replyCode = replyCodeOf(m_replyLines.last());
    if (!allowed.isEmpty() && !allowed.contains(m_replyCode))
        throw ProtocolReplyError(m_replyCode, m_replyLines.last());
    return m_replyCode;
}

int TcpConnection::sendCommand(const QString &command, const QList<int> &allowed)
{
    writeLine(command);
    return readReply(allowed);
}

void TcpConnection::disconnect()
{
    try {
        if (m_socket.allocated() && !m_closedGracefully)
            flush();
    } catch (...) {
        closeSocket();
        throw;
    }
    closeSocket();
}

void TcpConnection::startTls(const QString &serverName)
{
    flush();
    if (!m_inputBuffer.isEmpty())
        throw TlsError(QStringLiteral("The server sent data before the secure connection was set up."));
    m_socket.startTls(serverName, readTimeoutMs);
}

void TcpConnection::closeSocket()
{
    if (!m_socket.allocated())
        return;
    m_outputBuffer.clear();
    m_socket.shutdownSend();
    m_socket.close();
    m_closedGracefully = true;
    if (onDisconnected)
        onDisconnected();
}
