#pragma once

#include "MessagePart.h"

// A file sent with the message. The file is read only while the message is written; its
// encoded form passes through a temporary file whose path is kept in storedPathName (the
// file itself is gone once the part has been written, whatever the outcome).
class AttachmentPart : public MessagePart
{
public:
    explicit AttachmentPart(MailMessage *message, const QString &fileName = QString())
        : MessagePart(message), fileName(fileName) {}

    QString contentDisposition() const { return headers.value(QStringLiteral("Content-Disposition")); }
    void setContentDisposition(const QString &value)
    {
        headers.setValue(QStringLiteral("Content-Disposition"), value);
    }

    QString fileName;
    QString storedPathName;
};
