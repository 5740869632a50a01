#include "QsoListener.h"

#include <QUdpSocket>
#include <QVariant>

#include <algorithm>

#include <netinet/in.h>
#include <sys/socket.h>

namespace {

// Room for a burst of logged QSOs while the thread is busy elsewhere; the system may give less.
constexpr int ReceiveBufferBytes = 1 << 20;

bool carriesGroups(const QNetworkInterface &interface)
{
    const auto flags = interface.flags();
    if (!flags.testFlag(QNetworkInterface::IsUp))
        return false;
    if (!flags.testFlag(QNetworkInterface::CanMulticast) && !flags.testFlag(QNetworkInterface::IsLoopBack))
        return false;
    const auto entries = interface.addressEntries();
    return std::any_of(entries.cbegin(), entries.cend(), [](const QNetworkAddressEntry &entry) {
        return entry.ip().protocol() == QAbstractSocket::IPv4Protocol;
    });
}

// Linux gives a group socket the group's datagrams from every interface the computer is a
// member on (and every computer is a member of 224.0.0.1 everywhere), unless told to take only
// the interfaces it joined on itself.
void takeJoinedInterfacesOnly(QUdpSocket &socket)
{
#ifdef IP_MULTICAST_ALL
    const int off = 0;
    ::setsockopt(int(socket.socketDescriptor()), IPPROTO_IP, IP_MULTICAST_ALL, &off, sizeof off);
#else
    Q_UNUSED(socket);
#endif
}

QList<QNetworkInterface> loopbackInterfaces()
{
    QList<QNetworkInterface> loopback;
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (interface.flags().testFlag(QNetworkInterface::IsLoopBack))
            loopback << interface;
    }
    return loopback;
}

} // namespace

QsoListener::QsoListener(QObject *parent, qint64 holdMs)
    : QObject(parent)
    , m_merger(holdMs)
{
    qRegisterMetaType<LoggedQso>();
    m_heldTimer.setSingleShot(true);
    connect(&m_heldTimer, &QTimer::timeout, this, [this] {
        giveOut(m_merger.takeDue(m_clock.elapsed()));
        scheduleHeld();
    });
    m_clock.start();
}

QsoListener::~QsoListener() = default;

bool QsoListener::listen(const ListenAddress &address, const QList<QNetworkInterface> &interfaces)
{
    close();
    m_error.clear();
    m_counts = Counts();
    m_address = address;
    m_senders = SenderCheck(m_allowed);
    auto socket = std::make_unique<QUdpSocket>();
    // Listeners of a group share its port; a unicast port belongs to one listener, so that a
    // second one fails here instead of taking QSOs away from the first.
    const bool bound = address.isGroup()
                           ? socket->bind(address.address, address.port,
                                          QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
                           : socket->bind(address.address, address.port, QUdpSocket::DontShareAddress);
    if (!bound) {
        m_error = QStringLiteral("cannot listen on %1: %2").arg(address.toString(), socket->errorString());
        return false;
    }
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(ReceiveBufferBytes));
    if (address.isGroup())
        takeJoinedInterfacesOnly(*socket);
    m_socket = std::move(socket);
    if (address.isGroup() && !joinGroup(interfaces)) {
        m_socket.reset();
        return false;
    }
    connect(m_socket.get(), &QUdpSocket::readyRead, this, &QsoListener::readDatagrams);
    return true;
}

bool QsoListener::joinGroup(const QList<QNetworkInterface> &interfaces)
{
    QList<QNetworkInterface> candidates = interfaces;
    if (candidates.isEmpty())
        candidates = m_allowed.isEmpty() ? loopbackInterfaces() : QNetworkInterface::allInterfaces();
    bool joined = false;
    QString lastError = QStringLiteral("no network interface carries multicast");
    for (const QNetworkInterface &interface : candidates) {
        if (!carriesGroups(interface))
            continue;
        if (m_socket->joinMulticastGroup(m_address.address, interface))
            joined = true;
        else
            lastError = m_socket->errorString();
    }
    if (!joined)
        m_error = QStringLiteral("cannot join the group %1: %2").arg(m_address.toString(), lastError);
    return joined;
}

void QsoListener::close()
{
    // What the system received before the stop counts as received.
    if (m_socket)
        readDatagrams();
    m_heldTimer.stop();
    giveOut(m_merger.takeAll());
    dropSocket();
    emitWaiting();
}

void QsoListener::dropSocket()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    if (!m_reading) {
        m_socket.reset();
        return;
    }
    // Inside the socket's own notification it has to outlive the call; the listener keeps it
    // as a child should the event loop never come back to delete it.
    QUdpSocket *socket = m_socket.release();
    socket->setParent(this);
    socket->deleteLater();
}

bool QsoListener::isListening() const
{
    return m_socket && m_socket->state() == QAbstractSocket::BoundState;
}

quint16 QsoListener::localPort() const
{
    return m_socket ? m_socket->localPort() : 0;
}

void QsoListener::readDatagrams()
{
    const bool outer = !m_reading;
    m_reading = true;
    QByteArray datagram;
    while (m_socket && m_socket->hasPendingDatagrams() && readOneDatagram(datagram)) {
    }
    if (outer)
        m_reading = false;
    scheduleHeld();
}

bool QsoListener::readOneDatagram(QByteArray &datagram)
{
    const qint64 size = m_socket->pendingDatagramSize();
    if (size < 0)
        return false;
    // An oversized one is dropped unread: the reader would refuse it anyway, and it is not
    // copied.
    datagram.resize(size > LargestMessageSize ? 0 : qsizetype(size));
    QHostAddress sender;
    const qint64 read = m_socket->readDatagram(datagram.data(), datagram.size(), &sender);
    if (read < 0)
        return false;
    if (!m_senders.accepts(sender, m_clock.elapsed())) {
        ++m_counts.strangers;
        emit senderRefused(sender);
        return true;
    }
    if (size > LargestMessageSize) {
        ++m_counts.refused;
        return true;
    }
    datagram.truncate(qsizetype(read));
    takeFrame(readMessageFrame(datagram));
    return true;
}

void QsoListener::takeFrame(const MessageFrame &frame)
{
    switch (frame.verdict) {
    case FrameVerdict::Ignored: ++m_counts.ignored; return;
    case FrameVerdict::Refused: ++m_counts.refused; return;
    case FrameVerdict::Qso: break;
    }
    LoggedQso qso;
    qso.clientId = frame.clientId;
    qso.source = MessageType(frame.type);
    qso.record = frame.record;
    const int droppedBefore = m_merger.droppedCopies();
    giveOut(m_merger.offer(qso, m_clock.elapsed()));
    m_counts.duplicates += m_merger.droppedCopies() - droppedBefore;
}

void QsoListener::giveOut(std::vector<LoggedQso> qsos)
{
    if (qsos.empty())
        return;
    for (LoggedQso &qso : qsos) {
        ++m_counts.qsos;
        m_ready.push_back(std::move(qso));
    }
    // A handler may wait for a card to go out, or close the listener: it runs once the socket's
    // notification is over.
    if (!m_emitPosted) {
        m_emitPosted = true;
        QMetaObject::invokeMethod(this, &QsoListener::emitWaiting, Qt::QueuedConnection);
    }
}

void QsoListener::emitWaiting()
{
    m_emitPosted = false;
    while (!m_ready.empty()) {
        const LoggedQso qso = std::move(m_ready.front());
        m_ready.pop_front();
        emit qsoReceived(qso);
    }
}

void QsoListener::scheduleHeld()
{
    const auto due = m_merger.nextDue();
    if (!due) {
        m_heldTimer.stop();
        return;
    }
    m_heldTimer.start(int(std::max<qint64>(0, *due - m_clock.elapsed())));
}
