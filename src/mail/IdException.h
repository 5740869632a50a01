#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the mail code is an EIdException. Its text() is what the mail component
// hands to OnSendError, so it is always the operator-facing message, filled in.
class EIdException : public std::runtime_error
{
public:
    explicit EIdException(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// The server answered with a code outside the allowed ones; the text is its last reply line,
// trimmed.
class EIdProtocolReplyError : public EIdException
{
public:
    EIdProtocolReplyError(int replyCode, const QString &replyLine);
    int replyCode() const { return m_replyCode; }

private:
    int m_replyCode;
};

// A socket, lookup, connect, send or receive failure. code() is the Winsock-style number
// ("Socket Error # 10061" + CR LF + "Connection refused."); see IdStack.h for the mapping.
class EIdSocketError : public EIdException
{
public:
    explicit EIdSocketError(int code);
    int code() const { return m_code; }

private:
    int m_code;
};

// "Connection Closed Gracefully."
class EIdConnClosedGracefully : public EIdException
{
public:
    EIdConnClosedGracefully();
};

// "Already connected."
class EIdAlreadyConnected : public EIdException
{
public:
    EIdAlreadyConnected();
};

// "Cannot allocate socket."
class EIdInvalidSocket : public EIdException
{
public:
    EIdInvalidSocket();
};

// "Could not bind socket. Address and port are already in use."
class EIdCouldNotBindSocket : public EIdException
{
public:
    EIdCouldNotBindSocket();
};

// "No data to read." - a stream to be written ended early.
class EIdNoDataToRead : public EIdException
{
public:
    EIdNoDataToRead();
};

// The server sent more than the line limit without a line end.
class EIdReplyLineTooLong : public EIdException
{
public:
    explicit EIdReplyLineTooLong(int limit);
};

// A command, address or header value that would carry CR, LF or NUL onto the connection;
// refused before anything of it is written.
class EIdUnsafeText : public EIdException
{
public:
    EIdUnsafeText(const QString &what, const QString &value);
};
