#include "MessageFrame.h"

#include "DataStreamCursor.h"
#include "OneRecordAdif.h"

#include <array>
#include <optional>

namespace {

constexpr quint32 Magic = 0xadbccbdau;

// The fields of "QSO Logged" in the order they are sent. The first ones up to Name are in
// every version of the message; later versions added the rest at the end, so the message may
// end between any two of those, but never inside one.
enum class QsoValue {
    TimeOff,
    DxCall,
    DxGrid,
    TxFrequency,
    Mode,
    ReportSent,
    ReportReceived,
    TxPower,
    Comments,
    Name,
    TimeOn,
    OperatorCall,
    MyCall,
    MyGrid,
    ExchangeSent,
    ExchangeReceived,
    Count
};
constexpr int QsoValueCount = int(QsoValue::Count);
constexpr int RequiredQsoValues = int(QsoValue::Name) + 1;

enum class ValueKind { Text, DateTime, Hertz };

ValueKind kindOf(QsoValue value)
{
    switch (value) {
    case QsoValue::TimeOff:
    case QsoValue::TimeOn: return ValueKind::DateTime;
    case QsoValue::TxFrequency: return ValueKind::Hertz;
    default: return ValueKind::Text;
    }
}

// The frequency in MHz with every digit kept: 14074000 Hz gives "14.074000".
QString megahertz(quint64 hertz)
{
    return QStringLiteral("%1.%2").arg(hertz / 1000000u).arg(hertz % 1000000u, 6, 10, QLatin1Char('0'));
}

// A date the ADIF reader would take for a QSO: four-digit years only.
bool isLogDate(const QDate &date)
{
    return date.isValid() && date.year() >= 1000 && date.year() <= 9999;
}

// The call sign without the characters that show nothing (controls, format characters such
// as U+200B, line separators) and without blanks around it: what the card and the file name
// can show of it.
QString visibleCall(const QString &call)
{
    QString visible;
    visible.reserve(call.size());
    for (const QChar c : call) {
        switch (c.category()) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph: break;
        default: visible += c;
        }
    }
    return visible.trimmed();
}

// record with its call sign made visible; nothing when no call sign is left.
std::optional<AdifRecord> withVisibleCall(const AdifRecord &record)
{
    const QString call = visibleCall(record.value(AdifField::Call));
    if (call.isEmpty())
        return std::nullopt;
    AdifRecord visible;
    visible.setIfAbsent(AdifField::Call, call);
    for (int i = 0; i < adifFieldCount; ++i) {
        const auto field = AdifField(i);
        if (record.has(field))
            visible.setIfAbsent(field, record.value(field));
    }
    return visible;
}

class FrameReader
{
public:
    explicit FrameReader(QByteArrayView datagram) : m_cursor(datagram) {}

    MessageFrame read();

private:
    enum class State {
        Magic,      // the protocol's magic number
        Schema,     // the schema number
        Type,       // the message type
        ClientId,   // the sending program's id
        QsoFields,  // the fields of "QSO Logged", one value per step
        AdifText,   // the ADIF text of "Logged ADIF"
        Finished,
    };

    void step();
    void readQsoValue();
    void finishQsoLogged();
    void refuse(const char *reason);
    void ignore();

    DataStreamCursor m_cursor;
    State m_state = State::Magic;
    MessageFrame m_frame;
    int m_qsoValue = 0;
    std::array<QString, QsoValueCount> m_texts;
    QDateTime m_timeOff;
    QDateTime m_timeOn;
    quint64 m_hertz = 0;
};

MessageFrame FrameReader::read()
{
    if (m_cursor.remaining() > LargestMessageSize)
        refuse("the datagram is larger than any logged QSO");
    while (m_state != State::Finished)
        step();
    return m_frame;
}

void FrameReader::step()
{
    switch (m_state) {
    case State::Magic: {
        const auto magic = m_cursor.readUInt32();
        if (!magic || *magic != Magic)
            return refuse("not a message of the protocol");
        m_state = State::Schema;
        return;
    }
    case State::Schema: {
        const auto schema = m_cursor.readUInt32();
        if (!schema || *schema == 0)
            return refuse("no schema number");
        m_state = State::Type;
        return;
    }
    case State::Type: {
        const auto type = m_cursor.readUInt32();
        if (!type)
            return refuse("no message type");
        m_frame.type = *type;
        if (*type != quint32(MessageType::QsoLogged) && *type != quint32(MessageType::LoggedAdif))
            return ignore();
        m_state = State::ClientId;
        return;
    }
    case State::ClientId: {
        const auto id = m_cursor.readUtf8();
        if (!id)
            return refuse("the program's id is cut short");
        m_frame.clientId = *id;
        m_state = m_frame.type == quint32(MessageType::QsoLogged) ? State::QsoFields : State::AdifText;
        return;
    }
    case State::QsoFields:
        return readQsoValue();
    case State::AdifText: {
        const auto text = m_cursor.readByteArray();
        if (!text)
            return refuse("the ADIF text is cut short");
        std::optional<AdifRecord> record = readOneAdifRecord(*text);
        if (record)
            record = withVisibleCall(*record);
        if (!record)
            return refuse("the ADIF text holds no QSO with a call sign");
        m_frame.record = std::move(*record);
        m_frame.verdict = FrameVerdict::Qso;
        m_state = State::Finished;
        return;
    }
    case State::Finished:
        return;
    }
}

void FrameReader::readQsoValue()
{
    if (m_qsoValue == QsoValueCount || (m_qsoValue >= RequiredQsoValues && m_cursor.atEnd()))
        return finishQsoLogged();
    const auto value = QsoValue(m_qsoValue);
    switch (kindOf(value)) {
    case ValueKind::Text: {
        const auto text = m_cursor.readUtf8();
        if (!text)
            return refuse("the QSO's fields are cut short");
        m_texts[m_qsoValue] = text->trimmed();
        break;
    }
    case ValueKind::DateTime: {
        const auto time = m_cursor.readDateTime();
        if (!time)
            return refuse("the QSO's date and time are broken or cut short");
        (value == QsoValue::TimeOn ? m_timeOn : m_timeOff) = *time;
        break;
    }
    case ValueKind::Hertz: {
        const auto hertz = m_cursor.readUInt64();
        if (!hertz)
            return refuse("the QSO's fields are cut short");
        m_hertz = *hertz;
        break;
    }
    }
    ++m_qsoValue;
}

void FrameReader::finishQsoLogged()
{
    const QString call = visibleCall(m_texts[int(QsoValue::DxCall)]);
    if (call.isEmpty())
        return refuse("the QSO has no call sign");
    AdifRecord &record = m_frame.record;
    record.setIfAbsent(AdifField::Call, call);
    const QDateTime when = (m_timeOn.isValid() ? m_timeOn : m_timeOff).toUTC();
    if (when.isValid() && isLogDate(when.date())) {
        record.setIfAbsent(AdifField::QsoDate, when.date().toString(QStringLiteral("yyyyMMdd")));
        record.setIfAbsent(AdifField::TimeOn, when.time().toString(QStringLiteral("HHmmss")));
    }
    record.setIfAbsent(AdifField::Freq, megahertz(m_hertz));
    const std::pair<AdifField, QsoValue> texts[] = {
        {AdifField::Mode, QsoValue::Mode},
        {AdifField::TxPwr, QsoValue::TxPower},
        {AdifField::RstSent, QsoValue::ReportSent},
        {AdifField::RstRcvd, QsoValue::ReportReceived},
    };
    // An empty power is a power not given, so that the power field's choice stands for it,
    // as for a log record without TX_PWR.
    for (const auto &[field, value] : texts) {
        if (!m_texts[int(value)].isEmpty())
            record.setIfAbsent(field, m_texts[int(value)]);
    }
    m_frame.verdict = FrameVerdict::Qso;
    m_state = State::Finished;
}

void FrameReader::refuse(const char *reason)
{
    m_frame = MessageFrame();
    m_frame.verdict = FrameVerdict::Refused;
    m_frame.reason = QString::fromLatin1(reason);
    m_state = State::Finished;
}

void FrameReader::ignore()
{
    m_frame.verdict = FrameVerdict::Ignored;
    m_state = State::Finished;
}

} // namespace

MessageFrame readMessageFrame(QByteArrayView datagram)
{
    return FrameReader(datagram).read();
}
