#include "IdException.h"

#include "IdStack.h"

EIdException::EIdException(const QString &text)
    : std::runtime_error(text.toStdString())
    , m_text(text)
{
}

EIdProtocolReplyError::EIdProtocolReplyError(int replyCode, const QString &replyLine)
    : EIdException(replyLine.trimmed())
    , m_replyCode(replyCode)
{
}

EIdSocketError::EIdSocketError(int code)
    : EIdException(QStringLiteral("Socket Error # %1\r\n%2").arg(code).arg(socketErrorDescription(code)))
    , m_code(code)
{
}

EIdConnClosedGracefully::EIdConnClosedGracefully()
    : EIdException(QStringLiteral("Connection Closed Gracefully."))
{
}

EIdAlreadyConnected::EIdAlreadyConnected()
    : EIdException(QStringLiteral("Already connected."))
{
}

EIdInvalidSocket::EIdInvalidSocket()
    : EIdException(QStringLiteral("Cannot allocate socket."))
{
}

EIdCouldNotBindSocket::EIdCouldNotBindSocket()
    : EIdException(QStringLiteral("Could not bind socket. Address and port are already in use."))
{
}

EIdNoDataToRead::EIdNoDataToRead()
    : EIdException(QStringLiteral("No data to read."))
{
}

EIdReplyLineTooLong::EIdReplyLineTooLong(int limit)
    : EIdException(QStringLiteral("The server sent a line longer than %1 bytes without a line end.")
                       .arg(limit))
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

EIdUnsafeText::EIdUnsafeText(const QString &what, const QString &value)
    : EIdException(QStringLiteral("The %1 \"%2\" holds a line break or NUL character; nothing was sent.")
                       .arg(what, visibleControls(value)))
{
}
