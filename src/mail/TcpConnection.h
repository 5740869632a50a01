#pragma once

#include "MailErrors.h"
#include "ReplyReader.h"
#include "SocketLayer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class QIODevice;

// A buffered, blocking TCP client connection: connecting, line and stream writing, line
// reading and the reply dialogue of line protocols.
//
//   connect()                  resolves host ("LOCALHOST" is 127.0.0.1, address literals are
//                              used as they stand, names give their IPv6 and IPv4 addresses),
//                              binds to boundAddress and connects to port, trying each address
//                              in turn; all of them together get connectTimeoutMs, after which
//                              SocketError 10060 is thrown. Throws AlreadyConnectedError on an
//                              open socket, InvalidSocketError, CouldNotBindSocketError or
//                              SocketError (the last address's failure); a failed connect
//                              leaves no socket.
//   write(bytes | text)        every byte (QString goes out as UTF-8); writes are gathered and
//                              go out in blocks of up to 32768 bytes, at the latest before the
//                              connection waits for a reply or closes, so a message's many
//                              short lines share a few TCP segments (no delayed-ACK stalls)
//   flush()                    sends what is gathered now
//   writeLine(text)            text + CR LF
//   writeLines(list)           writeLine for each line, in order
//   writeStream(dev, fromStart, byteCount)
//                              the device's bytes in blocks of at most 32768; byteCount -1 is
//                              "to the end"; a device that ends early fails with NoDataToReadError
//   readLine()                 next line ending in LF, without the LF and one CR before it
//   readNonEmptyLine()         readLine, trimmed, until a line is not empty
//   readReply(allowed)         one reply (multi-line aware); code from its last line; a code
//                              outside a non-empty `allowed` throws ProtocolReplyError
//   sendCommand(text, allowed) writeLine(text) then readReply(allowed); returns the code
//   connected()                false once the peer has closed or the socket is gone
//   disconnect()               shuts down and closes the socket, raises onDisconnected
//
// Every failure throws an MailError (MailErrors.h). A peer that closed makes a write, or a
// read that finds no whole line left, throw ConnectionClosedError. Waiting for data or for
// room to send is limited by readTimeoutMs, and a whole reply must arrive within readTimeoutMs
// too (a server trickling one byte at a time cannot hold the session); running out throws
// SocketError 10060. A line longer than maxLineLength throws ReplyLineTooLongError, a reply
// past ReplyAssembler's bounds ReplyTooLargeError.
class TcpConnection
{
public:
    static constexpr int kReceiveBlockSize = 32768;
    static constexpr int kSendBlockSize = 32768;

    TcpConnection() { m_socket.watchCancel(&m_cancel); }
    virtual ~TcpConnection();
    TcpConnection(const TcpConnection &) = delete;
    TcpConnection &operator=(const TcpConnection &) = delete;

    QString host;
    quint16 port = 0;
    QString boundAddress;          // empty: any local address
    bool useNagle = true;          // false sets TCP_NODELAY
    int connectTimeoutMs = 30000;  // negative: the system's own limit
    int readTimeoutMs = 60000;     // per wait for data or send room; negative: no limit
    int maxLineLength = 65536;     // bytes of one received line

    std::function<void()> onConnected;
    std::function<void()> onDisconnected;

    virtual void connect();
    bool connected();
    bool closedGracefully() const { return m_closedGracefully; }

    void write(const QByteArray &bytes);
    void write(const QString &text);
    void writeLine(const QString &text = QString());
    void writeLines(const QStringList &lines);
    void writeStream(QIODevice &stream, bool fromStart = true, qint64 byteCount = -1);
    void flush();

    QString readLine();
    QString readNonEmptyLine();

    int readReply(const QList<int> &allowed = {});
    int sendCommand(const QString &command, const QList<int> &allowed = {});
    const QStringList &replyLines() const { return m_replyLines; }
    int replyCode() const { return m_replyCode; }

    virtual void disconnect();

    // Ends the session from another thread: the wait in progress and every later one throw
    // SessionCancelledError until clearCancel().
    void cancel() { m_cancel.raise(); }
    void clearCancel() { m_cancel.clear(); }
    bool cancelled() const { return m_cancel.raised(); }

    // Turns the connection into TLS (after STARTTLS, or at once for implicit TLS); the
    // server's certificate must be valid for host.
    void startTls(const QString &serverName);
    bool tlsActive() const { return m_socket.tlsActive(); }
    QString localAddress() const { return m_socket.localAddress(); }

    // The reply code of a reply line: 1 for "+OK", 0 for "-ERR", else its first three
    // characters as a number when they are three digits, 0 otherwise.
    static int replyCodeOf(const QString &line);

protected:
    void closeSocket();

private:
    void checkForDisconnect(bool raiseIfClosed);
    void readFromStack();
    void sendNow(const char *data, qint64 size);
    int waitLimitMs() const;

    CancelSignal m_cancel;
    SocketHandle m_socket;
    QByteArray m_inputBuffer;
    QByteArray m_outputBuffer;
    ReplyAssembler m_reply;
    std::chrono::steady_clock::time_point m_replyDeadline;
    bool m_replyDeadlineSet = false;
    QStringList m_replyLines;
    int m_replyCode = 0;
    bool m_closedGracefully = false;
};
