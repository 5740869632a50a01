#pragma once

#include "TIdMessage.h"
#include "TIdMessageWriter.h"
#include "TIdTCPClient.h"

// A TCP client that can write a whole Internet message onto its connection (what follows
// the SMTP DATA command, without the final "."). Failures throw EIdException: a missing
// attachment "Cannot open file %s", "Cannot create file %s" for the temporary file, "Invalid
// Text count. TIdText must be greater than 1", EIdUnsafeText for a value holding CR, LF or
// NUL (checked before anything is written), or the connection's own errors.
class TIdMessageClient : public TIdTCPClient, private TIdMessageSink
{
public:
    void SendHeader(TIdMessage &message) { TIdMessageWriter(*this).SendHeader(message); }
    void SendMsg(TIdMessage &message) { TIdMessageWriter(*this).SendMsg(message); }
    void SendBody(TIdMessage &message) { TIdMessageWriter(*this).SendBody(message); }

private:
    void writeLine(const QByteArray &line) override;
    void writeStream(QIODevice &stream) override;
};
