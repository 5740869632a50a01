#include "MessageFailure.h"

#include "MailErrors.h"

void failMessage(const QString &text)
{
    throw MailError(text);
}

void requireSingleLine(const QString &what, const QString &value)
{
    for (const QChar c : value) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QChar(0))
            throw UnsafeTextError(what, value);
    }
}
