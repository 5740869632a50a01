#pragma once

#include "AllowedSenders.h"
#include "ListenAddress.h"
#include "LoggedQsoMerger.h"

#include <QElapsedTimer>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <QTimer>

#include <deque>

class QUdpSocket;

// Listens for the QSOs that logging programs broadcast over UDP and gives each one once, in
// the order they were logged, through qsoReceived(). Datagrams that are not logged QSOs, and
// every datagram from a sender that is neither this computer nor an allowed one, are counted
// and otherwise left alone; nothing a network delivers can do more than that.
class QsoListener : public QObject
{
    Q_OBJECT

public:
    // What became of the datagrams since listen().
    struct Counts
    {
        int qsos = 0;        // QSOs given out
        int ignored = 0;     // messages of other types
        int refused = 0;     // broken, foreign or oversized datagrams
        int duplicates = 0;  // second copies of a QSO already given or waiting
        int strangers = 0;   // datagrams from senders not allowed, not looked at
    };

    explicit QsoListener(QObject *parent = nullptr,
                         qint64 holdMs = LoggedQsoMerger::DefaultHoldMs);
    ~QsoListener() override;

    // Whose datagrams are taken besides this computer's own; for the next listen().
    void setAllowedSenders(const QList<SenderNetwork> &allowed) { m_allowed = allowed; }

    // Binds to address. A group is bound by its own address, so that only datagrams sent to it
    // arrive, and joined on each of interfaces; none given: on the loopback interface, where
    // logging programs send by default, or, when senders beyond this computer are allowed, on
    // every interface that is up and can carry multicast. False, with errorString(), when the
    // port cannot be had or no interface joins the group.
    bool listen(const ListenAddress &address, const QList<QNetworkInterface> &interfaces = {});
    // Reads the datagrams the system holds, gives out the QSOs still waiting, then stops
    // listening. May be called from a handler of qsoReceived().
    void close();

    bool isListening() const;
    ListenAddress address() const { return m_address; }
    // The port bound; for a listen() on port 0 the one the system chose.
    quint16 localPort() const;
    QString errorString() const { return m_error; }
    Counts counts() const { return m_counts; }

signals:
    // Emitted from the event loop, never from inside the socket's own notification, so that
    // a handler may run an event loop of its own or close the listener.
    void qsoReceived(const LoggedQso &qso);
    // A datagram from sender was not read, since sender is not allowed.
    void senderRefused(const QHostAddress &sender);

private:
    void readDatagrams();
    bool readOneDatagram(QByteArray &datagram);
    void takeFrame(const MessageFrame &frame);
    void giveOut(std::vector<LoggedQso> qsos);
    void emitWaiting();
    void scheduleHeld();
    bool joinGroup(const QList<QNetworkInterface> &interfaces);
    void dropSocket();

    std::unique_ptr<QUdpSocket> m_socket;
    LoggedQsoMerger m_merger;
    SenderCheck m_senders;
    QList<SenderNetwork> m_allowed;
    std::deque<LoggedQso> m_ready;
    bool m_emitPosted = false;
    bool m_reading = false;
    QTimer m_heldTimer;
    QElapsedTimer m_clock;
    ListenAddress m_address;
    QString m_error;
    Counts m_counts;
};

Q_DECLARE_METATYPE(LoggedQso)
