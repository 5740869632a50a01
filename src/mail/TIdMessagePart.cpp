#include "TIdMessagePart.h"

#include "IdMessageFailure.h"
#include "TIdAttachment.h"
#include "TIdText.h"

TIdAttachment &TIdMessageParts::addAttachment(const QString &fileName)
{
    m_parts.push_back(std::make_unique<TIdAttachment>(m_message, fileName));
    return static_cast<TIdAttachment &>(*m_parts.back());
}

TIdText &TIdMessageParts::addText()
{
    m_parts.push_back(std::make_unique<TIdText>(m_message));
    return static_cast<TIdText &>(*m_parts.back());
}

TIdMessagePart &TIdMessageParts::operator[](int index) const
{
    if (index < 0 || index >= count())
        failMessage(QStringLiteral("List index out of bounds (%1)").arg(index));
    return *m_parts[size_t(index)];
}

int TIdMessageParts::attachmentCount() const
{
    int n = 0;
    for (const auto &part : m_parts)
        n += dynamic_cast<const TIdAttachment *>(part.get()) ? 1 : 0;
    return n;
}

int TIdMessageParts::textPartCount() const
{
    int n = 0;
    for (const auto &part : m_parts)
        n += dynamic_cast<const TIdText *>(part.get()) ? 1 : 0;
    return n;
}

int TIdMessageParts::relatedAttachmentCount() const
{
    int n = 0;
    for (const auto &part : m_parts) {
        if (dynamic_cast<const TIdAttachment *>(part.get())
            && !part->Headers.value(QStringLiteral("Content-ID")).isEmpty())
            ++n;
    }
    return n;
}
