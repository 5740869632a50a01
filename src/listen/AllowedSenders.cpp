#include "AllowedSenders.h"

#include <QNetworkInterface>
#include <QRegularExpression>

#include <algorithm>

namespace {

constexpr qint64 RereadOwnMs = 1000;

std::optional<SenderNetwork> parseNetwork(const QString &entry)
{
    const qsizetype slash = entry.indexOf(QLatin1Char('/'));
    const QString host = slash < 0 ? entry : entry.left(slash);
    QHostAddress address;
    // QHostAddress also takes "10" or "0x0a000001"; only the written-out forms are addresses.
    if (!address.setAddress(host) || host.contains(QLatin1Char('%')))
        return std::nullopt;
    const bool v4 = address.protocol() == QAbstractSocket::IPv4Protocol;
    if (v4 && host.count(QLatin1Char('.')) != 3)
        return std::nullopt;
    const int widest = v4 ? 32 : 128;
    int prefix = widest;
    if (slash >= 0) {
        const QString digits = entry.mid(slash + 1);
        bool ok = false;
        prefix = digits.toInt(&ok, 10);
        if (!ok || digits.isEmpty() || !digits.at(0).isDigit() || prefix < 0 || prefix > widest)
            return std::nullopt;
    }
    return SenderNetwork(address, prefix);
}

// A sender on an IPv6 socket may come as ::ffff:a.b.c.d; it is compared as the IPv4 it is,
// and a link-local address without the interface it was seen on.
QHostAddress plain(QHostAddress address)
{
    bool mapped = false;
    const quint32 v4 = address.toIPv4Address(&mapped);
    if (mapped)
        return QHostAddress(v4);
    address.setScopeId(QString());
    return address;
}

QList<QHostAddress> interfaceAddresses()
{
    return QNetworkInterface::allAddresses();
}

} // namespace

std::optional<QList<SenderNetwork>> parseAllowedSenders(const QString &text, QString *error)
{
    QList<SenderNetwork> networks;
    static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
    for (const QString &entry : text.split(separators, Qt::SkipEmptyParts)) {
        const auto network = parseNetwork(entry);
        if (!network) {
            if (error)
                *error = QStringLiteral("\"%1\" is not an address such as 192.168.1.20 or 192.168.1.0/24").arg(entry);
            return std::nullopt;
        }
        networks << *network;
    }
    return networks;
}

QString allowedSendersText(const QList<SenderNetwork> &networks)
{
    QStringList entries;
    for (const SenderNetwork &network : networks) {
        const int widest = network.first.protocol() == QAbstractSocket::IPv4Protocol ? 32 : 128;
        entries << (network.second == widest ? network.first.toString()
                                             : QStringLiteral("%1/%2").arg(network.first.toString()).arg(network.second));
    }
    return entries.join(QStringLiteral(", "));
}

SenderCheck::SenderCheck(QList<SenderNetwork> allowed, AddressList ownAddresses)
    : m_allowed(std::move(allowed))
    , m_ownAddresses(ownAddresses ? std::move(ownAddresses) : AddressList(interfaceAddresses))
{
}

bool SenderCheck::accepts(const QHostAddress &sender, qint64 nowMs)
{
    const QHostAddress from = plain(sender);
    if (from.isNull())
        return false;
    if (from.isLoopback())
        return true;
    if (std::any_of(m_allowed.cbegin(), m_allowed.cend(),
                    [&](const SenderNetwork &network) { return from.isInSubnet(network); }))
        return true;
    if (isOwn(from))
        return true;
    if (m_ownReadMs && nowMs - *m_ownReadMs < RereadOwnMs)
        return false;
    m_own = m_ownAddresses();
    m_ownReadMs = nowMs;
    return isOwn(from);
}

bool SenderCheck::isOwn(const QHostAddress &sender) const
{
    return std::any_of(m_own.cbegin(), m_own.cend(), [&](const QHostAddress &own) { return plain(own) == sender; });
}
