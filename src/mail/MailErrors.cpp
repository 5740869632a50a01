#include "MailErrors.h"

#include "SocketLayer.h"

MailError::MailError(const QString &text)
    : std::runtime_error(text.toStdString())
    , m_text(text)
{
}

ProtocolReplyError::ProtocolReplyError(int replyCode, const QString &replyLine)
    : MailError(replyLine.trimmed())
    , m_replyCode(replyCode)
{
}

SocketError::SocketError(int code)
    : MailError(QStringLiteral("Socket Error # %1\r\n%2").arg(code).arg(socketErrorDescription(code)))
    , m_code(code)
{
}

ConnectionClosedError::ConnectionClosedError()
    : MailError(QStringLiteral("Connection Closed Gracefully."))
{
}

AlreadyConnectedError::AlreadyConnectedError()
    : MailError(QStringLiteral("Already connected."))
{
}

InvalidSocketError::InvalidSocketError()
    : MailError(QStringLiteral("Cannot allocate socket."))
{
}

CouldNotBindSocketError::CouldNotBindSocketError()
    : MailError(QStringLiteral("Could not bind socket. Address and port are already in use."))
{
}

NoDataToReadError::NoDataToReadError()
    : MailError(QStringLiteral("No data to read."))
{
}

ReplyLineTooLongError::ReplyLineTooLongError(int limit)
    : MailError(QStringLiteral("The server sent a line longer than %1 bytes without a line end.")
                       .arg(limit))
{
}

ReplyTooLargeError::ReplyTooLargeError(int maxLines, int maxBytes)
    : MailError(QStringLiteral("The server sent a reply of more than %1 lines or %2 bytes; the connection was closed.")
                       .arg(maxLines)
                       .arg(maxBytes))
{
}

SessionCancelledError::SessionCancelledError()
    : MailError(QStringLiteral("The send was cancelled."))
{
}

namespace {
QString visibleControls(const QString &value)
{
    QString shown = value;
    shown.replace(QLatin1Char('\r'), QLatin1String("<CR>"));
    shown.replace(QLatin1Char('\n'), QLatin1String("<LF>"));
    shown.replace(QChar(u'\0'), QLatin1String("<NUL>"));
    return shown;
}
} // namespace

UnsafeTextError::UnsafeTextError(const QString &what, const QString &value)
    : MailError(QStringLiteral("The %1 \"%2\" holds a line break or NUL character; nothing was sent.")
                       .arg(what, visibleControls(value)))
{
}
