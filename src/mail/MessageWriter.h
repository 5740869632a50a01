#pragma once

#include <QByteArray>
#include <QStringList>

class QIODevice;
class AttachmentPart;
class MailMessage;
class TextPart;

// Where the message writer puts the message text: whole lines (CR LF is added by the sink)
// and the rest of a stream (the attachment's encoded form).
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void writeLine(const QByteArray &line) = 0;
    virtual void writeStream(QIODevice &stream) = 0;
};

// Turns a MailMessage into the text that follows the SMTP DATA command: the header block, an
// empty line and the body with its MIME parts. Every line that begins with "." goes out with
// one more "." in front, and a body line holding line breaks is sent as several lines, so
// no line of the text can end the DATA section early.
class MessageWriter
{
public:
    explicit MessageWriter(MessageSink &sink) : m_sink(sink) {}

    // Settles the content type, then writes the header lines.
    void writeHeader(MailMessage &message);
    // Checks every caller value first (nothing is written when one is unsafe), then writes
    // the header, an empty line and the body.
    void writeMessage(MailMessage &message);
    // Everything after the empty line that ends the header.
    void writeBody(MailMessage &message);

private:
    void line(const QString &text);
    void bodyLine(const QByteArray &bytes);
    void writeBodyPart(const QStringList &body);
    void writePlainBody(const MailMessage &message);
    void writeTextPart(TextPart &part);
    void writeAttachment(AttachmentPart &part);
    void writeAlternativeParts(MailMessage &message, const QString &boundary);

    MessageSink &m_sink;
};
