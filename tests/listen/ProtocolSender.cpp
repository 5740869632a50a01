#include "ProtocolSender.h"

#include <QDataStream>
#include <QNetworkInterface>

#include <functional>

namespace {

constexpr quint32 Magic = 0xadbccbda;

QDataStream &writeUtf8(QDataStream &out, const QString &text)
{
    return out << text.toUtf8();
}

QByteArray adifField(const char *name, const QString &value)
{
    const QByteArray bytes = value.toUtf8();
    return QByteArray("<") + name + ':' + QByteArray::number(bytes.size()) + '>' + bytes + ' ';
}

// The fields up to Name, which every version of the message has.
void writeQsoFieldsUpToName(QDataStream &out, const QsoLoggedFields &qso)
{
    out << qso.timeOff;
    writeUtf8(out, qso.dxCall);
    writeUtf8(out, qso.dxGrid);
    out << quint64(qso.txFrequencyHz);
    writeUtf8(out, qso.mode);
    writeUtf8(out, qso.reportSent);
    writeUtf8(out, qso.reportReceived);
    writeUtf8(out, qso.txPower);
    writeUtf8(out, qso.comments);
    writeUtf8(out, qso.name);
}

QByteArray messageWith(quint32 type, const QString &id, quint32 schema,
                       const std::function<void(QDataStream &)> &fields)
{
    QByteArray bytes = messageHeader(type, id, schema);
    QDataStream out(&bytes, QIODevice::Append);
    out.setVersion(QDataStream::Qt_5_4);
    fields(out);
    return bytes;
}

} // namespace

QByteArray messageHeader(quint32 type, const QString &id, quint32 schema)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out << Magic << schema << type;
    writeUtf8(out, id);
    return bytes;
}

QByteArray qsoLoggedDatagram(const QsoLoggedFields &qso, quint32 schema)
{
    return messageWith(5, qso.id, schema, [&](QDataStream &out) {
        writeQsoFieldsUpToName(out, qso);
        out << qso.timeOn;
        for (const QString *text : {&qso.operatorCall, &qso.myCall, &qso.myGrid, &qso.exchangeSent,
                                    &qso.exchangeReceived, &qso.propagationMode})
            writeUtf8(out, *text);
    });
}

QByteArray oldQsoLoggedDatagram(const QsoLoggedFields &qso)
{
    return messageWith(5, qso.id, 2, [&](QDataStream &out) { writeQsoFieldsUpToName(out, qso); });
}

QByteArray loggedAdifDatagram(const QString &id, const QByteArray &adif, quint32 schema)
{
    return messageWith(12, id, schema, [&](QDataStream &out) { out << adif; });
}

QByteArray loggedAdifText(const QsoLoggedFields &qso)
{
    const QDateTime on = qso.timeOn.toUTC();
    const QDateTime off = qso.timeOff.toUTC();
    QByteArray text = "\n<adif_ver:5>3.1.0\n<programid:6>WSJT-X\n<EOH>\n";
    text += adifField("call", qso.dxCall) + adifField("gridsquare", qso.dxGrid);
    if (qso.mode == QLatin1String("FT4"))
        text += adifField("mode", QStringLiteral("MFSK")) + adifField("submode", qso.mode);
    else
        text += adifField("mode", qso.mode);
    text += adifField("rst_sent", qso.reportSent) + adifField("rst_rcvd", qso.reportReceived)
            + adifField("qso_date", on.date().toString("yyyyMMdd")) + adifField("time_on", on.time().toString("HHmmss"))
            + adifField("qso_date_off", off.date().toString("yyyyMMdd"))
            + adifField("time_off", off.time().toString("HHmmss")) + adifField("band", QStringLiteral("20m"))
            + adifField("freq", QString::number(double(qso.txFrequencyHz) / 1e6, 'f', 6))
            + adifField("station_callsign", qso.myCall) + adifField("my_gridsquare", qso.myGrid);
    if (!qso.txPower.isEmpty())
        text += adifField("tx_pwr", qso.txPower);
    if (!qso.name.isEmpty())
        text += adifField("name", qso.name);
    return text + "<EOR>";
}

QByteArray heartbeatDatagram(const QString &id)
{
    return messageWith(0, id, 3, [](QDataStream &out) {
        out << quint32(3);
        writeUtf8(out, QStringLiteral("2.6.1"));
        writeUtf8(out, QStringLiteral("abc123"));
    });
}

QByteArray statusDatagram(const QString &id, const QString &dxCall)
{
    return messageWith(1, id, 3, [&](QDataStream &out) {
        out << quint64(14074000);
        writeUtf8(out, QStringLiteral("FT8"));
        writeUtf8(out, dxCall);
        writeUtf8(out, QStringLiteral("-10"));
        writeUtf8(out, QStringLiteral("FT8"));
        out << true << false << false << qint32(1500) << qint32(1500);
    });
}

QByteArray decodeDatagram(const QString &id, const QString &message)
{
    return messageWith(2, id, 3, [&](QDataStream &out) {
        out << true << QTime(14, 57, 15) << qint32(-12) << 0.2 << quint32(1234);
        writeUtf8(out, QStringLiteral("~"));
        writeUtf8(out, message);
        out << false << false;
    });
}

QsoLoggedFields sampleQso(int n)
{
    QsoLoggedFields qso;
    const QDateTime on(QDate(2026, 12, 8), QTime(14, 0).addSecs(60 * (n % 600)), Qt::UTC);
    qso.timeOn = on;
    qso.timeOff = on.addSecs(45);
    qso.dxCall = QStringLiteral("K%1AB").arg(n);
    qso.dxGrid = QStringLiteral("FN42");
    qso.txFrequencyHz = 14074000 + 1500;
    qso.mode = QStringLiteral("FT8");
    qso.reportSent = QStringLiteral("-10");
    qso.reportReceived = QStringLiteral("-12");
    qso.txPower = QStringLiteral("50");
    qso.name = QStringLiteral("Ann");
    qso.myCall = QStringLiteral("DL1XYZ");
    qso.myGrid = QStringLiteral("JO62");
    return qso;
}

ProtocolSender::ProtocolSender()
{
    m_socket.bind(QHostAddress(QHostAddress::LocalHost), 0);
    for (const QNetworkInterface &interface : QNetworkInterface::allInterfaces()) {
        if (interface.flags().testFlag(QNetworkInterface::IsLoopBack))
            m_socket.setMulticastInterface(interface);
    }
    m_socket.setSocketOption(QAbstractSocket::MulticastLoopbackOption, 1);
}

bool ProtocolSender::send(const QByteArray &datagram, const QHostAddress &to, quint16 port)
{
    return m_socket.writeDatagram(datagram, to, port) == datagram.size();
}

quint16 freeUdpPort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress(QHostAddress::LocalHost), 0);
    return probe.localPort();
}
