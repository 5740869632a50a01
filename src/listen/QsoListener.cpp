#include "QsoListener.h"

#include <QUdpSocket>
#include <QVariant>

#include <algorithm>

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
    auto socket = std::make_unique<QUdpSocket>();
    // Listeners of a group share its port; a unicast port belongs to one listener, so that a
    // second one fails here instead of taking QSOs away from the first.
    const bool bound = address.isGroup()
                           ? socket->bind(QHostAddress::AnyIPv4, address.port,
                                          QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint)
                           : socket->bind(address.address, address.port, QUdpSocket::DontShareAddress);
    if (!bound) {
        m_error = QStringLiteral("cannot listen on %1: %2").arg(address.toString(), socket->errorString());
        return false;
    }
    socket->setSocketOption(QAbstractSocket::ReceiveBufferSizeSocketOption, QVariant(ReceiveBufferBytes));
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
    const QList<QNetworkInterface> candidates = interfaces.isEmpty() ? QNetworkInterface::allInterfaces() : interfaces;
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
    m_socket.reset();
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
    QByteArray datagram;
    while (m_socket && m_socket->hasPendingDatagrams()) {
        const qint64 size = m_socket->pendingDatagramSize();
        if (size < 0)
            break;
        if (size > LargestMessageSize) {
            // Dropped unread: the reader would refuse it anyway, and it is not copied.
            m_socket->readDatagram(nullptr, 0);
            ++m_counts.refused;
            continue;
        }
        datagram.resize(qsizetype(size));
        const qint64 read = m_socket->readDatagram(datagram.data(), size);
        if (read < 0)
            break;
        datagram.truncate(qsizetype(read));
        takeFrame(readMessageFrame(datagram));
    }
    scheduleHeld();
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
    for (const LoggedQso &qso : qsos) {
        ++m_counts.qsos;
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
