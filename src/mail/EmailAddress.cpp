#include "EmailAddress.h"

#include "HeaderCoding.h"
#include "MessageFailure.h"

namespace {

bool isPlainPrintable(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < ' ' || c.unicode() > '~')
            return false;
    }
    return true;
}

QString quoted(const QString &name)
{
    QString result = QStringLiteral("\"");
    for (const QChar c : name) {
        if (c == QLatin1Char('\\') || c == QLatin1Char('"'))
            result += QLatin1Char('\\');
        result += c;
    }
    return result + QLatin1Char('"');
}

} // namespace

QString EmailAddress::text() const
{
    return text(systemHeaderCharset());
}

QString EmailAddress::text(const HeaderCharset &charset) const
{
    if (name.isEmpty())
        return address;
    const QString written = isPlainPrintable(name) ? quoted(name)
                                                   : encodeHeader(name, charset, kAddressSpecials);
    return written + QStringLiteral(" <") + address + QLatin1Char('>');
}

EmailAddress &EmailAddressList::add(const QString &address, const QString &name)
{
    m_items.emplace_back(address, name);
    return m_items.back();
}

EmailAddress &EmailAddressList::operator[](int index)
{
    if (index < 0 || index >= count())
        failMessage(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[size_t(index)];
}

const EmailAddress &EmailAddressList::operator[](int index) const
{
    return const_cast<EmailAddressList &>(*this)[index];
}

QString EmailAddressList::emailAddresses() const
{
    return emailAddresses(systemHeaderCharset());
}

QString EmailAddressList::emailAddresses(const HeaderCharset &charset) const
{
    QStringList forms;
    for (const EmailAddress &item : m_items)
        forms << item.text(charset);
    return forms.join(QStringLiteral(", "));
}
