#pragma once

#include "TIdHeaderList.h"

#include <QString>

#include <memory>
#include <vector>

class TIdMessage;
class TIdAttachment;
class TIdText;

// One MIME part of a message. Its "Content-Type" and "Content-Transfer-Encoding" live in its
// own header list; ExtraHeaders are written after the standard ones. Only the descendants
// (TIdAttachment, TIdText) can be created.
class TIdMessagePart
{
public:
    virtual ~TIdMessagePart() = default;
    TIdMessagePart(const TIdMessagePart &) = delete;
    TIdMessagePart &operator=(const TIdMessagePart &) = delete;

    QString ContentType() const { return Headers.value(QStringLiteral("Content-Type")); }
    void setContentType(const QString &value) { Headers.setValue(QStringLiteral("Content-Type"), value); }
    QString ContentTransfer() const { return Headers.value(QStringLiteral("Content-Transfer-Encoding")); }
    void setContentTransfer(const QString &value)
    {
        Headers.setValue(QStringLiteral("Content-Transfer-Encoding"), value);
    }

    // The message this part belongs to.
    TIdMessage *message() const { return m_message; }

    TIdHeaderList Headers;
    TIdHeaderList ExtraHeaders;

protected:
    explicit TIdMessagePart(TIdMessage *message) : m_message(message) {}

private:
    TIdMessage *m_message;
};

// The ordered parts of one message; the collection owns them.
class TIdMessageParts
{
public:
    explicit TIdMessageParts(TIdMessage *message) : m_message(message) {}

    TIdAttachment &addAttachment(const QString &fileName = QString());
    TIdText &addText();
    void clear() { m_parts.clear(); }
    int count() const { return int(m_parts.size()); }
    TIdMessagePart &operator[](int index) const;

    int attachmentCount() const;
    int textPartCount() const;
    // Attachments whose headers carry a non-empty "Content-ID".
    int relatedAttachmentCount() const;

private:
    TIdMessage *m_message;
    std::vector<std::unique_ptr<TIdMessagePart>> m_parts;
};
