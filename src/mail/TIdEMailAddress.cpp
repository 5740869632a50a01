#include "TIdEMailAddress.h"

#include "IdHeaderCoding.h"
#include "IdMessageFailure.h"

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

QString TIdEMailAddressItem::text() const
{
    return text(systemHeaderCharset());
}

QString TIdEMailAddressItem::text(const HeaderCharset &charset) const
{
    if (Name.isEmpty())
        return Address;
    const QString name = isPlainPrintable(Name) ? quoted(Name)
                                                : encodeHeader(Name, charset, kAddressSpecials);
    return name + QStringLiteral(" <") + Address + QLatin1Char('>');
}

TIdEMailAddressItem &TIdEMailAddressList::add(const QString &address, const QString &name)
{
    m_items.emplace_back(address, name);
    return m_items.back();
}

TIdEMailAddressItem &TIdEMailAddressList::operator[](int index)
{
    if (index < 0 || index >= count())
        failMessage(QStringLiteral("List index out of bounds (%1)").arg(index));
    return m_items[size_t(index)];
}

const TIdEMailAddressItem &TIdEMailAddressList::operator[](int index) const
{
    return const_cast<TIdEMailAddressList &>(*this)[index];
}

QString TIdEMailAddressList::emailAddresses() const
{
    return emailAddresses(systemHeaderCharset());
}

QString TIdEMailAddressList::emailAddresses(const HeaderCharset &charset) const
{
    QStringList forms;
    for (const TIdEMailAddressItem &item : m_items)
        forms << item.text(charset);
    return forms.join(QStringLiteral(", "));
}
