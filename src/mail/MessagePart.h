#pragma once

#include "HeaderList.h"

#include <QString>

#include <memory>
#include <vector>

class MailMessage;
class AttachmentPart;
class TextPart;

// One MIME part of a message. Its "Content-Type" and "Content-Transfer-Encoding" live in its
// own header list; extraHeaders are written after the standard ones. Only the descendants
// (AttachmentPart, TextPart) can be created.
class MessagePart
{
public:
    virtual ~MessagePart() = default;
    MessagePart(const MessagePart &) = delete;
    MessagePart &operator=(const MessagePart &) = delete;

    QString contentType() const { return headers.value(QStringLiteral("Content-Type")); }
    void setContentType(const QString &value) { headers.setValue(QStringLiteral("Content-Type"), value); }
    QString contentTransfer() const { return headers.value(QStringLiteral("Content-Transfer-Encoding")); }
    void setContentTransfer(const QString &value)
    {
        headers.setValue(QStringLiteral("Content-Transfer-Encoding"), value);
    }

    // The message this part belongs to.
    MailMessage *message() const { return m_message; }

    HeaderList headers;
    HeaderList extraHeaders;

protected:
    explicit MessagePart(MailMessage *message) : m_message(message) {}

private:
    MailMessage *m_message;
};

// The ordered parts of one message; the collection owns them.
class MessagePartList
{
public:
    explicit MessagePartList(MailMessage *message) : m_message(message) {}

    AttachmentPart &addAttachment(const QString &fileName = QString());
    TextPart &addText();
    void clear() { m_parts.clear(); }
    int count() const { return int(m_parts.size()); }
    MessagePart &operator[](int index) const;

    int attachmentCount() const;
    int textPartCount() const;
    // Attachments whose headers carry a non-empty "Content-ID".
    int relatedAttachmentCount() const;

private:
    MailMessage *m_message;
    std::vector<std::unique_ptr<MessagePart>> m_parts;
};
