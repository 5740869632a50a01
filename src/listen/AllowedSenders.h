#pragma once

#include <QHostAddress>
#include <QList>
#include <QPair>
#include <QString>

#include <functional>
#include <optional>

// A network whose computers may send logged QSOs: an address and the length of its prefix
// (32 or 128 for one computer).
using SenderNetwork = QPair<QHostAddress, int>;

// The --allow list: "192.168.1.20", "192.168.1.0/24", "fd00::/8", several separated by commas
// or blanks. Nothing, with error naming the entry, when one is not such an address; an empty
// text is an empty list.
std::optional<QList<SenderNetwork>> parseAllowedSenders(const QString &text, QString *error = nullptr);
// The list written back as parseAllowedSenders() reads it ("192.168.1.0/24, 10.0.0.7").
QString allowedSendersText(const QList<SenderNetwork> &networks);

// Decides whose datagrams a listener takes. A datagram tells the listener to fill in a QSO and
// maybe to e-mail a card to the address it carries, so it is taken only from this computer
// (its loopback and its own addresses) or from the networks the operator allowed; anyone else
// on the network would otherwise have Kartello send mail in the station's name.
class SenderCheck
{
public:
    using AddressList = std::function<QList<QHostAddress>()>;

    // ownAddresses gives this computer's addresses (none given: every address of its network
    // interfaces); they are read again, at most once a second, when a sender is not among them,
    // since a computer's addresses change (DHCP, a VPN coming up).
    explicit SenderCheck(QList<SenderNetwork> allowed = {}, AddressList ownAddresses = {});

    // nowMs: any steady clock of the caller's, for the once-a-second rereading.
    bool accepts(const QHostAddress &sender, qint64 nowMs);
    const QList<SenderNetwork> &allowed() const { return m_allowed; }

private:
    bool isOwn(const QHostAddress &sender) const;

    QList<SenderNetwork> m_allowed;
    AddressList m_ownAddresses;
    QList<QHostAddress> m_own;
    std::optional<qint64> m_ownReadMs;
};
