#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QHostAddress>
#include <QString>
#include <QUdpSocket>

// A logging program's side of the UDP protocol, written for the tests from the protocol's
// public message description: every datagram is made with Qt's own QDataStream at version
// Qt_5_4, as the logging programs make theirs, so the reader is checked against Qt's
// serialization rather than against itself.

// The fields of a "QSO Logged" message (type 5), in the order they are sent.
struct QsoLoggedFields
{
    QString id = QStringLiteral("WSJT-X");
    QDateTime timeOff;
    QString dxCall;
    QString dxGrid;
    quint64 txFrequencyHz = 0;
    QString mode;
    QString reportSent;
    QString reportReceived;
    QString txPower;
    QString comments;
    QString name;
    QDateTime timeOn;
    QString operatorCall;
    QString myCall;
    QString myGrid;
    QString exchangeSent;
    QString exchangeReceived;
    QString propagationMode;
};

// The message header: magic, schema, type, id.
QByteArray messageHeader(quint32 type, const QString &id, quint32 schema = 3);
// A whole "QSO Logged" as the newest programs send it (propagation mode at the end).
QByteArray qsoLoggedDatagram(const QsoLoggedFields &qso, quint32 schema = 3);
// "QSO Logged" as an older program sends it: the fields up to Name only.
QByteArray oldQsoLoggedDatagram(const QsoLoggedFields &qso);
QByteArray loggedAdifDatagram(const QString &id, const QByteArray &adif, quint32 schema = 3);
// The ADIF text a logging program puts in "Logged ADIF" for qso: a header and one record.
QByteArray loggedAdifText(const QsoLoggedFields &qso);
QByteArray heartbeatDatagram(const QString &id);
QByteArray statusDatagram(const QString &id, const QString &dxCall);
QByteArray decodeDatagram(const QString &id, const QString &message);

// A QSO on 20 m FT8 on 8 December 2026; n makes the call sign and the time differ.
QsoLoggedFields sampleQso(int n);

// Sends datagrams over the loopback interface, to a unicast address or to a group.
class ProtocolSender
{
public:
    ProtocolSender();
    // Sends one datagram; false when the system did not take it whole.
    bool send(const QByteArray &datagram, const QHostAddress &to, quint16 port);

private:
    QUdpSocket m_socket;
};

// A UDP port on 127.0.0.1 that nothing is bound to at the moment.
quint16 freeUdpPort();
