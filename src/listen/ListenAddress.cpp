#include "ListenAddress.h"

namespace {

std::optional<quint16> parsePort(const QString &text)
{
    bool ok = false;
    const uint port = text.toUInt(&ok, 10);
    if (!ok || port == 0 || port > 65535 || text.startsWith(QLatin1Char('+')))
        return std::nullopt;
    return quint16(port);
}

} // namespace

QString ListenAddress::toString() const
{
    return QStringLiteral("%1:%2").arg(address.toString()).arg(port);
}

std::optional<ListenAddress> parseListenAddress(const QString &text)
{
    const QString trimmed = text.trimmed();
    const qsizetype colon = trimmed.lastIndexOf(QLatin1Char(':'));
    ListenAddress result;
    const auto port = parsePort(colon < 0 ? trimmed : trimmed.mid(colon + 1));
    if (!port)
        return std::nullopt;
    result.port = *port;
    if (colon < 0)
        return result;
    QHostAddress address;
    const QString host = trimmed.left(colon);
    // QHostAddress also takes "1" or "0x7f000001"; only the dotted form is an address here.
    if (host.count(QLatin1Char('.')) != 3 || !address.setAddress(host)
        || address.protocol() != QAbstractSocket::IPv4Protocol)
        return std::nullopt;
    result.address = address;
    return result;
}
