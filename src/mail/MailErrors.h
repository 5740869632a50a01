#pragma once

#include <QString>
#include <stdexcept>

// Every failure of the mail code is an MailError. Its text() is what the mail component
// hands to onSendError, so it is always the operator-facing message, filled in.
class MailError : public std::runtime_error
{
public:
    explicit MailError(const QString &text);
    QString text() const { return m_text; }

private:
    QString m_text;
};

// The server answered with a code outside the allowed ones; the text is its last reply line,
// trimmed.
class ProtocolReplyError : public MailError
{
public:
    ProtocolReplyError(int replyCode, const QString &replyLine);
    int replyCode() const { return m_replyCode; }

private:
    int m_replyCode;
};

// A socket, lookup, connect, send or receive failure. code() is the Winsock-style number
// ("Socket Error # 10061" + CR LF + "Connection refused."); see SocketLayer.h for the mapping.
class SocketError : public MailError
{
public:
    explicit SocketError(int code);
    int code() const { return m_code; }

private:
    int m_code;
};

// "Connection Closed Gracefully."
class ConnectionClosedError : public MailError
{
public:
    ConnectionClosedError();
};

// "Already connected."
class AlreadyConnectedError : public MailError
{
public:
    AlreadyConnectedError();
};

// "Cannot allocate socket."
class InvalidSocketError : public MailError
{
public:
    InvalidSocketError();
};

// "Could not bind socket. Address and port are already in use."
class CouldNotBindSocketError : public MailError
{
public:
    CouldNotBindSocketError();
};

// "No data to read." - a stream to be written ended early.
class NoDataToReadError : public MailError
{
public:
    NoDataToReadError();
};

// The server sent more than the line limit without a line end.
class ReplyLineTooLongError : public MailError
{
public:
    explicit ReplyLineTooLongError(int limit);
};

// The server's reply went on past the bounds of a real reply (a hostile or broken server).
class ReplyTooLargeError : public MailError
{
public:
    ReplyTooLargeError(int maxLines, int maxBytes);
};

// A TLS failure: the handshake, a certificate that could not be verified (the text says why),
// or a server that does not offer STARTTLS.
class TlsError : public MailError
{
public:
    using MailError::MailError;
};

// The operator cancelled the send; the connection is closed without another word.
class SessionCancelledError : public MailError
{
public:
    SessionCancelledError();
};

// A command, address or header value that would carry CR, LF or NUL onto the connection;
// refused before anything of it is written.
class UnsafeTextError : public MailError
{
public:
    UnsafeTextError(const QString &what, const QString &value);
};
