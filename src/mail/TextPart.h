#pragma once

#include "MessagePart.h"

#include <QStringList>

// A text part of a multipart/alternative message.
class TextPart : public MessagePart
{
public:
    explicit TextPart(MailMessage *message) : MessagePart(message) {}

    QStringList body;
};
