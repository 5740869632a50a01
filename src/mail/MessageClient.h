#pragma once

#include "MailMessage.h"
#include "MessageWriter.h"
#include "TcpClient.h"

// A TCP client that can write a whole Internet message onto its connection (what follows
// the SMTP DATA command, without the final "."). Failures throw MailError: a missing
// attachment "Cannot open file %s", "Cannot create file %s" for the temporary file, "Invalid
// Text count. TextPart must be greater than 1", UnsafeTextError for a value holding CR, LF or
// NUL (checked before anything is written), or the connection's own errors.
class MessageClient : public TcpClient, private MessageSink
{
public:
    void SendHeader(MailMessage &message) { MessageWriter(*this).SendHeader(message); }
    void SendMsg(MailMessage &message) { MessageWriter(*this).SendMsg(message); }
    void SendBody(MailMessage &message) { MessageWriter(*this).SendBody(message); }

private:
    void writeLine(const QByteArray &line) override;
    void writeStream(QIODevice &stream) override;
};
