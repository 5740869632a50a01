#pragma once

#include "MailErrors.h"
#include "NetworkComponent.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QIODevice;

// A buffered, blocking TCP connection: line and stream writing, line reading and the
// reply dialogue of line protocols.
//
//   write(bytes | text)        every byte, in a loop of send calls (QString goes out as UTF-8)
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
// room to send is limited by ReadTimeout; running out throws SocketError 10060. A line
// longer than MaxLineLength throws ReplyLineTooLongError.
class TcpConnection : public NetworkComponent
{
public:
    static constexpr int RecvBufferSize = 32768;
    static constexpr int SendBufferSize = 32768;

    TcpConnection() = default;
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

    QString readLn();
    QString readLnSkipEmpty();

    int getResponse(const QList<int> &allowed = {});
    int sendCmd(const QString &command, const QList<int> &allowed = {});
    const QStringList &replyLines() const { return m_replyLines; }
    int replyCode() const { return m_replyCode; }

    virtual void disconnect();

    // The reply code of a reply line: 1 for "+OK", 0 for "-ERR", else its first three
    // characters as a number (0 if they are not one).
    static int replyCodeOf(const QString &line);

protected:
    SocketHandle &socket() { return m_socket; }
    void resetConnectionState();
    void closeSocket();
    void raiseConnected();

private:
    void checkForDisconnect(bool raiseIfClosed);
    void readFromStack();
    int takeLine(QString &line);

    SocketHandle m_socket;
    QByteArray m_inputBuffer;
    QStringList m_replyLines;
    int m_replyCode = 0;
    bool m_closedGracefully = false;
};
