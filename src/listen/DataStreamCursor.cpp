#include "DataStreamCursor.h"

#include <QtEndian>

namespace {

constexpr quint32 NullByteArray = 0xffffffffu;
constexpr quint32 NullTime = 0xffffffffu;
constexpr quint32 MillisecondsPerDay = 24u * 60u * 60u * 1000u;
// QDateTime's offsets lie within a day either way.
constexpr qint32 LargestOffsetSeconds = 24 * 60 * 60;

enum class TimeBasis : quint8 { Local = 0, Utc = 1, OffsetFromUtc = 2 };

template<typename T>
T bigEndian(QByteArrayView bytes)
{
    return qFromBigEndian<T>(bytes.data());
}

} // namespace

std::optional<QByteArrayView> DataStreamCursor::take(qsizetype count)
{
    if (count < 0 || count > remaining())
        return std::nullopt;
    const QByteArrayView part = m_bytes.sliced(m_pos, count);
    m_pos += count;
    return part;
}

std::optional<quint8> DataStreamCursor::readUInt8()
{
    const auto bytes = take(1);
    return bytes ? std::optional<quint8>(quint8(bytes->at(0))) : std::nullopt;
}

std::optional<quint32> DataStreamCursor::readUInt32()
{
    const auto bytes = take(4);
    return bytes ? std::optional<quint32>(bigEndian<quint32>(*bytes)) : std::nullopt;
}

std::optional<qint32> DataStreamCursor::readInt32()
{
    const auto bytes = take(4);
    return bytes ? std::optional<qint32>(bigEndian<qint32>(*bytes)) : std::nullopt;
}

std::optional<quint64> DataStreamCursor::readUInt64()
{
    const auto bytes = take(8);
    return bytes ? std::optional<quint64>(bigEndian<quint64>(*bytes)) : std::nullopt;
}

std::optional<qint64> DataStreamCursor::readInt64()
{
    const auto bytes = take(8);
    return bytes ? std::optional<qint64>(bigEndian<qint64>(*bytes)) : std::nullopt;
}

std::optional<QByteArrayView> DataStreamCursor::readByteArray()
{
    const qsizetype start = m_pos;
    const auto length = readUInt32();
    if (!length)
        return std::nullopt;
    if (*length == NullByteArray)
        return QByteArrayView();
    // Compared as unsigned first: a length near 4 GiB must not turn negative on the way.
    if (*length > quint64(remaining())) {
        m_pos = start;
        return std::nullopt;
    }
    return take(qsizetype(*length));
}

std::optional<QString> DataStreamCursor::readUtf8()
{
    const auto bytes = readByteArray();
    return bytes ? std::optional<QString>(QString::fromUtf8(*bytes)) : std::nullopt;
}

std::optional<QDateTime> DataStreamCursor::readDateTime()
{
    const qsizetype start = m_pos;
    const auto fail = [&] {
        m_pos = start;
        return std::nullopt;
    };
    const auto julianDay = readInt64();
    const auto milliseconds = julianDay ? readUInt32() : std::nullopt;
    const auto basis = milliseconds ? readUInt8() : std::nullopt;
    if (!basis)
        return fail();
    qint32 offset = 0;
    switch (*basis) {
    case quint8(TimeBasis::Local):
    case quint8(TimeBasis::Utc):
        break;
    case quint8(TimeBasis::OffsetFromUtc): {
        const auto seconds = readInt32();
        if (!seconds || *seconds < -LargestOffsetSeconds || *seconds > LargestOffsetSeconds)
            return fail();
        offset = *seconds;
        break;
    }
    default:
        return fail();
    }
    const QDate date = QDate::fromJulianDay(*julianDay);
    if (!date.isValid() || *milliseconds == NullTime || *milliseconds >= MillisecondsPerDay)
        return QDateTime();
    const QTime time = QTime::fromMSecsSinceStartOfDay(int(*milliseconds));
    switch (TimeBasis(*basis)) {
    case TimeBasis::Local: return QDateTime(date, time, Qt::LocalTime);
    case TimeBasis::Utc: return QDateTime(date, time, Qt::UTC);
    case TimeBasis::OffsetFromUtc: return QDateTime(date, time, Qt::OffsetFromUTC, offset);
    }
    return QDateTime();
}
