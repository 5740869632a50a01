#include "TIdMessageClient.h"

void TIdMessageClient::writeLine(const QByteArray &line)
{
    write(line + QByteArrayLiteral("\r\n"));
}

void TIdMessageClient::writeStream(QIODevice &stream)
{
    TIdTCPConnection::writeStream(stream, false);
}
