#include "IdMessageFailure.h"

#include "IdException.h"

void failMessage(const QString &text)
{
    throw EIdException(text);
}

void requireSingleLine(const QString &what, const QString &value)
{
    for (const QChar c : value) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            throw EIdUnsafeText(what, value);
    }
}
