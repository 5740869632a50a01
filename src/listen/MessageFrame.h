#pragma once

#include "AdifRecord.h"

#include <QByteArrayView>
#include <QString>

// The UDP messages that WSJT-X, JTDX and their kin send to loggers. Every datagram is one
// message: the magic number 0xadbccbda, a schema number and a message type (quint32 each, big
// endian), the sending program's id, then the fields of that type in Qt's data stream format
// (version Qt_5_4). Kartello takes two types, both sent when the operator logs a QSO:
// - "QSO Logged" (5): the QSO as separate fields;
// - "Logged ADIF" (12): the QSO as the text of an ADIF file with one record.
// Every other type is ignored.

enum class MessageType : quint32 {
    Heartbeat = 0,
    Status = 1,
    Decode = 2,
    QsoLogged = 5,
    LoggedAdif = 12,
};

// The largest datagram the reader takes: a logged QSO needs a few hundred bytes, so anything
// near the size of a UDP datagram is not one.
inline constexpr qsizetype LargestMessageSize = 16 * 1024;

// What became of one datagram.
enum class FrameVerdict {
    Qso,      // a logged QSO, in record
    Ignored,  // a well-formed message of a type Kartello does not take
    Refused,  // not a message of the protocol, or a broken one; reason says why
};

struct MessageFrame
{
    FrameVerdict verdict = FrameVerdict::Refused;
    // The message type; meaningful once the header was read.
    quint32 type = 0;
    QString clientId;
    // The logged QSO: CALL, QSO_DATE, TIME_ON, FREQ (MHz), MODE, TX_PWR, RST_RCVD and EMAIL
    // as far as the message has them. A "QSO Logged" gives date and time in UTC, the time on
    // when it has one, else the time off; its frequency is the transmit frequency. The call
    // sign holds no control or format characters and no blanks around it; a QSO whose call
    // sign is nothing without them is Refused.
    AdifRecord record;
    QString reason;
};

// Reads one datagram. Never reads outside datagram and takes time in proportion to its size;
// anything that is not a whole message of the protocol comes back Refused, with nothing else
// filled in but the reason. A message longer than its fields (a later version of the protocol
// adds fields at the end) is read as far as Kartello needs it.
MessageFrame readMessageFrame(QByteArrayView datagram);
