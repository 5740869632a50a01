#pragma once

#include "ListenAddress.h"
#include "LoggedQsoMerger.h"

#include <QElapsedTimer>
#include <QList>
#include <QNetworkInterface>
#include <QObject>
#include <QTimer>

class QUdpSocket;

// Listens for the QSOs that logging programs broadcast over UDP and gives each one once, in
// the order they were logged, through qsoReceived(). Datagrams that are not logged QSOs are
// counted and otherwise left alone; nothing a network delivers can do more than that.
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
    };

    explicit QsoListener(QObject *parent = nullptr,
                         qint64 holdMs = LoggedQsoMerger::DefaultHoldMs);
    ~QsoListener() override;

    // Binds to address (a group is joined on each of interfaces; none given: every interface
    // that is up and can carry multicast, the loopback one included, since logging programs
    // send there by default). False, with errorString(), when the port cannot be had or no
    // interface joins the group.
    bool listen(const ListenAddress &address, const QList<QNetworkInterface> &interfaces = {});
    // Reads the datagrams the system holds, gives out the QSOs still waiting, then stops
    // listening.
    void close();

    bool isListening() const;
    ListenAddress address() const { return m_address; }
    // The port bound; for a listen() on port 0 the one the system chose.
    quint16 localPort() const;
    QString errorString() const { return m_error; }
    Counts counts() const { return m_counts; }

signals:
    void qsoReceived(const LoggedQso &qso);

private:
    void readDatagrams();
    void takeFrame(const MessageFrame &frame);
    void giveOut(std::vector<LoggedQso> qsos);
    void scheduleHeld();
    bool joinGroup(const QList<QNetworkInterface> &interfaces);

    std::unique_ptr<QUdpSocket> m_socket;
    LoggedQsoMerger m_merger;
    QTimer m_heldTimer;
    QElapsedTimer m_clock;
    ListenAddress m_address;
    QString m_error;
    Counts m_counts;
};

Q_DECLARE_METATYPE(LoggedQso)
