#pragma once

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>

// Reads the values of a Qt data stream (version Qt_5_4, big endian) from bytes that came off
// the network, never past their end: each read either gives a whole value or fails and leaves
// the cursor where it was, so a caller can tell a message that ends between two values from one
// cut inside a value.
class DataStreamCursor
{
public:
    explicit DataStreamCursor(QByteArrayView bytes) : m_bytes(bytes) {}

    std::optional<quint8> readUInt8();
    std::optional<quint32> readUInt32();
    std::optional<qint32> readInt32();
    std::optional<quint64> readUInt64();
    std::optional<qint64> readInt64();
    // A QByteArray: a 32-bit length and as many bytes; 0xffffffff stands for a null array,
    // read as empty bytes. Fails when the length runs past the end.
    std::optional<QByteArrayView> readByteArray();
    // A QByteArray holding UTF-8 text, as the protocol sends its texts.
    std::optional<QString> readUtf8();
    // A QDateTime: Julian day (qint64), milliseconds since midnight (quint32), time basis
    // (quint8: 0 local, 1 UTC, 2 offset from UTC with a qint32 of seconds following). A null
    // date or time gives an invalid QDateTime, not a failure. A time zone basis (3) or any other
    // fails: its layout is not a fixed one, and no sender of logged QSOs uses it.
    std::optional<QDateTime> readDateTime();

    qsizetype position() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_bytes.size(); }
    qsizetype remaining() const { return m_bytes.size() - m_pos; }

private:
    // The next count bytes, or nothing (and no move) when fewer remain.
    std::optional<QByteArrayView> take(qsizetype count);

    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
};
