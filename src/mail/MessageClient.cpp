#include "MessageClient.h"

void MessageClient::writeLine(const QByteArray &line)
{
    write(line + QByteArrayLiteral("\r\n"));
}

void MessageClient::writeStream(QIODevice &stream)
{
    TcpConnection::writeStream(stream, false);
}
