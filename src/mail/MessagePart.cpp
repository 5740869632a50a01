#include "MessagePart.h"

#include "MessageFailure.h"
#include "AttachmentPart.h"
#include "TextPart.h"

AttachmentPart &MessagePartList::addAttachment(const QString &fileName)
{
    m_parts.push_back(std::make_unique<AttachmentPart>(m_message, fileName));
    return static_cast<AttachmentPart &>(*m_parts.back());
}

TextPart &MessagePartList::addText()
{
    m_parts.push_back(std::make_unique<TextPart>(m_message));
    return static_cast<TextPart &>(*m_parts.back());
}

MessagePart &MessagePartList::operator[](int index) const
{
    if (index < 0 || index >= count())
        failMessage(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_parts[size_t(index)];
}

int MessagePartList::attachmentCount() const
{
    int n = 0;
    for (const auto &part : m_parts)
        n += dynamic_cast<const AttachmentPart *>(part.get()) ? 1 : 0;
    return n;
}

int MessagePartList::textPartCount() const
{
    int n = 0;
    for (const auto &part : m_parts)
        n += dynamic_cast<const TextPart *>(part.get()) ? 1 : 0;
    return n;
}

int MessagePartList::relatedAttachmentCount() const
{
    int n = 0;
    for (const auto &part : m_parts) {
        if (dynamic_cast<const AttachmentPart *>(part.get())
            && !part->headers.value(QStringLiteral("Content-ID")).isEmpty())
            ++n;
    }
    return n;
}
