#pragma once

#include "TIdMessagePart.h"

#include <QStringList>

// A text part of a multipart/alternative message.
class TIdText : public TIdMessagePart
{
public:
    explicit TIdText(TIdMessage *message) : TIdMessagePart(message) {}

    QStringList Body;
};
