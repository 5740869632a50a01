#include "TcpConnection.h"

#include <QIODevice>

TcpConnection::~TcpConnection()
{
    m_socket.close();
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
    qint64 sent = 0;
    while (sent < bytes.size()) {
        if (!m_socket.waitWritable(ReadTimeout))
            throw SocketError(10060);
        qint64 n = 0;
        try {
            n = m_socket.send(bytes.constData() + sent, bytes.size() - sent);
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

void TcpConnection::writeLn(const QString &text)
{
    write(text.toUtf8() + "\r\n");
}

void TcpConnection::writeLines(const QStringList &lines)
{
    for (const QString &line : lines)
        writeLn(line);
}

void TcpConnection::writeStream(QIODevice &stream, bool fromStart, qint64 byteCount)
{
    if (fromStart)
        stream.seek(0);
    if (byteCount < 0)
        byteCount = stream.size() - stream.pos();
    while (byteCount > 0) {
        const QByteArray block = stream.read(qMin<qint64>(byteCount, SendBufferSize));
        if (block.isEmpty())
            throw NoDataToReadError();
        write(block);
        byteCount -= block.size();
    }
}

void TcpConnection::readFromStack()
{
    checkForDisconnect(true);
    if (!m_socket.waitReadable(ReadTimeout))
        throw SocketError(10060);
    char block[RecvBufferSize];
    qint64 n = 0;
    try {
        n = m_socket.receive(block, RecvBufferSize);
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
    if (ASCIIFilter)
        for (qint64 i = 0; i < n; ++i)
            block[i] = char(block[i] & 0x7F);
    m_inputBuffer.append(block, int(n));
}

// Cuts one line off the input buffer; returns its length, or -1 when no LF is there yet.
int TcpConnection::takeLine(QString &line)
{
    // MaxLineLength counts the line's own bytes; one more may be the CR of its end.
    const int lf = m_inputBuffer.indexOf('\n');
    if (lf < 0) {
        if (m_inputBuffer.size() > MaxLineLength + 1)
            throw ReplyLineTooLongError(MaxLineLength);
        return -1;
    }
    int end = lf;
    if (end > 0 && m_inputBuffer.at(end - 1) == '\r')
        --end;
    if (end > MaxLineLength)
        throw ReplyLineTooLongError(MaxLineLength);
    line = QString::fromUtf8(m_inputBuffer.constData(), end);
    m_inputBuffer.remove(0, lf + 1);
    return end;
}

QString TcpConnection::readLn()
{
    QString line;
    while (takeLine(line) < 0)
        readFromStack();
    return line;
}

QString TcpConnection::readLnSkipEmpty()
{
    for (;;) {
        // trimmed() drops blanks; control characters go too, as a reply line never holds any
        // worth keeping at either end.
        QString line = readLn();
        int from = 0;
        int to = line.size();
        while (from < to && line.at(from).unicode() <= ' ')
            ++from;
        while (to > from && line.at(to - 1).unicode() <= ' ')
            --to;
        if (to > from)
            return line.mid(from, to - from);
    }
}

int TcpConnection::replyCodeOf(const QString &line)
{
    if (line.startsWith(QLatin1String("+OK")))
        return 1;
    if (line.startsWith(QLatin1String("-ERR")))
        return 0;
    bool ok = false;
    const int code = line.left(3).toInt(&ok);
    return ok ? code : 0;
}

int TcpConnection::getResponse(const QList<int> &allowed)
{
    m_replyLines.clear();
    const QString first = readLnSkipEmpty();
    m_replyLines.append(first);
    if (first.size() > 3 && first.at(3) == QLatin1Char('-')) {
        const QString lastPrefix = first.left(3) + QLatin1Char(' ');
        for (;;) {
            const QString line = readLnSkipEmpty();
            m_replyLines.append(line);
            if (line.size() < 4 || line.left(4).compare(lastPrefix, Qt::CaseInsensitive) == 0)
                break;
        }
    }
    m_replyCode = replyCodeOf(m_replyLines.last());
    if (!allowed.isEmpty() && !allowed.contains(m_replyCode))
        throw ProtocolReplyError(m_replyCode, m_replyLines.last());
    return m_replyCode;
}

int TcpConnection::sendCmd(const QString &command, const QList<int> &allowed)
{
    writeLn(command);
    return getResponse(allowed);
}

void TcpConnection::disconnect()
{
    closeSocket();
}

void TcpConnection::resetConnectionState()
{
    m_inputBuffer.clear();
    m_closedGracefully = false;
}

void TcpConnection::closeSocket()
{
    if (!m_socket.allocated())
        return;
    m_socket.shutdownSend();
    m_socket.close();
    m_closedGracefully = true;
    if (onDisconnected)
        onDisconnected();
}

void TcpConnection::raiseConnected()
{
    if (onConnected)
        onConnected();
}
