#pragma once

#include <QHostAddress>
#include <QString>

#include <optional>

// Where Kartello listens for logged QSOs: a unicast address of this computer and a port, or a
// multicast group and a port that several listeners share. Logging programs send to
// 127.0.0.1:2237 unless told otherwise.
struct ListenAddress
{
    static constexpr quint16 DefaultPort = 2237;

    QHostAddress address = QHostAddress(QHostAddress::LocalHost);
    quint16 port = DefaultPort;

    bool isGroup() const { return address.isMulticast(); }
    // "127.0.0.1:2237", "224.0.0.1:2237".
    QString toString() const;
    bool operator==(const ListenAddress &other) const
    {
        return address == other.address && port == other.port;
    }
};

// "ADDR:PORT", or a port alone ("2237") for 127.0.0.1, read into an address; IPv4 numbers
// only, no host names (a name would need a lookup). Nothing when text is neither, or the port
// is not 1 to 65535.
std::optional<ListenAddress> parseListenAddress(const QString &text);
