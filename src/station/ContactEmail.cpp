#include "ContactEmail.h"

#include "QsoEntryRules.h"

QString contactEmailPlaceholder()
{
    return QStringLiteral("Contact's Email");
}

QString firstForwardingDomain()
{
    return QStringLiteral("@arrl.net");
}

QString secondForwardingDomain()
{
    return QStringLiteral("@qsl.net");
}

bool isAcceptableAddress(const QString &text)
{
    const QChar at(QLatin1Char('@'));
    return text != contactEmailPlaceholder() && text.contains(at) && !text.isEmpty()
           && text != QString(at) && text != firstForwardingDomain()
           && text != secondForwardingDomain() && !text.startsWith(at) && !text.endsWith(at);
}

QString emailAfterChange(const QString &text)
{
    QString result = text;
    const int dots = result.indexOf(QLatin1String(".."));
    if (dots >= 0)
        result.replace(dots, 2, QLatin1Char('@'));
    if (!result.contains(QLatin1Char('@')) && result != contactEmailPlaceholder())
        result = upperCaseAtoZ(result);
    return result;
}

QString emailOnEnter(const QString &callSign, const QString &text)
{
    return callSign.isEmpty() ? text : emailAfterChange(callSign + firstForwardingDomain());
}

QString emailAfterMenuItem(int position, const QString &text, const QString &callSign)
{
    QString field = text == contactEmailPlaceholder() ? QString() : text;
    const int at = field.indexOf(QLatin1Char('@'));
    switch (position) {
    case 0:
        return emailAfterChange(callSign + QLatin1Char('@'));
    case 1:
        return at < 0 ? emailAfterChange(field + QLatin1Char('@')) : text;
    case 2:
    case 3:
        if (at >= 0)
            field = emailAfterChange(field.left(at));
        return emailAfterChange(field + (position == 2 ? firstForwardingDomain()
                                                       : secondForwardingDomain()));
    default:
        return text;
    }
}
