#pragma once

#include "MailErrors.h"
#include "NetworkComponent.h"
#include "ReplyReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <chrono>
#include <functional>

class QIODevice;

// A buffered, blocking TCP connection: line and stream writing, line reading and the
// reply dialogue of line protocols.
//
//   write(bytes | text)        every byte (QString goes out as UTF-8); writes are gathered and
//                              go out in blocks of up to 32768 bytes, at the latest before the
//                              connection waits for a reply or closes, so a message's many
//                              short lines share a few TCP segments (no delayed-ACK stalls)
//   flush()                    sends what is gathered now
//   writeLn(text)              text + CR LF
//   writeLines(list)           writeLn for each line, in order
//   writeStream(dev, fromStart, byteCount)
//                              the device's bytes in blocks of at most 32768; byteCount -1 is
//                              "to the end"; a device that ends early fails with NoDataToReadError
//   readLn()                   next line ending in LF, without the LF and one CR before it
//   readLnSkipEmpty()          readLn, trimmed, until a line is not empty
//   getResponse(allowed)       one reply (multi-line aware); code from its last line; a code
//                              outside a non-empty `allowed` throws ProtocolReplyError
//   sendCmd(text, allowed)     writeLn(text) then getResponse(allowed); returns the code
//   connected()                false once the peer has closed or the socket is gone
//   disconnect()               shuts down and closes the socket, raises onDisconnected
//
// Every failure throws an MailError (MailErrors.h). A peer that closed makes a write, or a
// read that finds no whole line left, throw ConnectionClosedError. Waiting for data or for
// room to send is limited by ReadTimeout, and a whole reply must arrive within ReadTimeout
// too (a server trickling one byte at a time cannot hold the session); running out throws
// SocketError 10060. A line longer than MaxLineLength throws ReplyLineTooLongError, a reply
// past ReplyAssembler's bounds ReplyTooLargeError.
class TcpConnection : public NetworkComponent
{
public:
    static constexpr int RecvBufferSize = 32768;
    static constexpr int SendBufferSize = 32768;

    TcpConnection() { m_socket.watchCancel(&m_cancel); }
    ~TcpConnection() override;

    int ReadTimeout = 60000;       // ms per wait for data or send room; negative: no limit
    int MaxLineLength = 65536;     // bytes of one received line
    bool ASCIIFilter = false;      // masks every received byte to 7 bits when set

    std::function<void()> onConnected;
    std::function<void()> onDisconnected;

    bool connected();
    bool closedGracefully() const { return m_closedGracefully; }

    void write(const QByteArray &bytes);
    void write(const QString &text);
    void writeLn(const QString &text = QString());
    void writeLines(const QStringList &lines);
    void writeStream(QIODevice &stream, bool fromStart = true, qint64 byteCount = -1);
    void flush();

    QString readLn();
    QString readLnSkipEmpty();

    int getResponse(const QList<int> &allowed = {});
    int sendCmd(const QString &command, const QList<int> &allowed = {});
    const QStringList &replyLines() const { return m_replyLines; }
    int replyCode() const { return m_replyCode; }

    virtual void disconnect();

    // Ends the session from another thread: the wait in progress and every later one throw
    // SessionCancelledError until clearCancel().
    void cancel() { m_cancel.raise(); }
    void clearCancel() { m_cancel.clear(); }
    bool cancelled() const { return m_cancel.raised(); }

    // Turns the connection into TLS (after STARTTLS, or at once for implicit TLS); the
    // server's certificate must be valid for Host.
    void startTls(const QString &serverName);
    bool tlsActive() const { return m_socket.tlsActive(); }
    QString localAddress() const { return m_socket.localAddress(); }

    // The reply code of a reply line: 1 for "+OK", 0 for "-ERR", else its first three
    // characters as a number when they are three digits, 0 otherwise.
    static int replyCodeOf(const QString &line);

protected:
    SocketHandle &socket() { return m_socket; }
    void resetConnectionState();
    void closeSocket();
    void raiseConnected();

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
