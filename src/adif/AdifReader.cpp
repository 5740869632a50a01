#include "AdifReader.h"

#include <cstring>

namespace {

// Longer names or specifiers are not ADIF: the "<" was text, and reading goes on after it.
constexpr qsizetype longestFieldName = 64;
constexpr qsizetype longestSpecifier = 32;
// A length beyond any real value; larger ones are cut to it (the value then runs to the end).
constexpr qsizetype largestLength = qsizetype(1) << 40;

constexpr char endOfHeader[] = "EOH";
constexpr char endOfRecord[] = "EOR";

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

char upper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }

// Whether the name of size bytes at name is upperName, whatever its case.
bool sameName(const char *name, qsizetype size, const char *upperName)
{
    if (qsizetype(std::strlen(upperName)) != size)
        return false;
    for (qsizetype i = 0; i < size; ++i) {
        if (upper(name[i]) != upperName[i])
            return false;
    }
    return true;
}

// The field Kartello reads under that name, or -1.
int wantedField(const char *name, qsizetype size)
{
    for (int field = 0; field < adifFieldCount; ++field) {
        if (sameName(name, size, adifFieldName(AdifField(field))))
            return field;
    }
    return -1;
}

} // namespace

const char *adifFieldName(AdifField field)
{
    switch (field) {
    case AdifField::Call: return "CALL";
    case AdifField::QsoDate: return "QSO_DATE";
    case AdifField::TimeOn: return "TIME_ON";
    case AdifField::Freq: return "FREQ";
    case AdifField::Mode: return "MODE";
    case AdifField::TxPwr: return "TX_PWR";
    case AdifField::RstRcvd: return "RST_RCVD";
    case AdifField::Email: return "EMAIL";
    }
    return "";
}

AdifReader::AdifReader(QByteArray log)
    : m_log(std::move(log))
    , m_data(m_log.constData())
{
    const void *ctrlZ = std::memchr(m_data, 0x1A, size_t(m_log.size()));
    m_end = ctrlZ ? static_cast<const char *>(ctrlZ) - m_data : m_log.size();
    m_encoding = detectAdifEncoding(QByteArrayView(m_data, m_end));
}

bool AdifReader::readNext(AdifRecord &record)
{
    while (m_pos < m_end) {
        const char c = m_data[m_pos];
        switch (m_state) {
        case State::BetweenFields: {
            const void *open = std::memchr(m_data + m_pos, '<', size_t(m_end - m_pos));
            m_pos = open ? static_cast<const char *>(open) - m_data + 1 : m_end;
            if (open)
                beginField();
            break;
        }
        case State::FieldName:
            if (c == ':' || c == '>') {
                m_nameEnd = m_pos++;
                endFieldName(c);
                if (c == '>' && sameName(m_data + m_nameStart, m_nameEnd - m_nameStart, endOfRecord)
                    && closeRecord(record))
                    return true;
            } else if (c == '<') {
                ++m_pos;
                beginField();
            } else if (m_pos - m_nameStart >= longestFieldName) {
                abandonField();
            } else {
                ++m_pos;
            }
            break;
        case State::Length:
        case State::TypeIndicator:
            if (c == '>') {
                ++m_pos;
                endLengthSpecifier();
            } else if (c == '<') {
                ++m_pos;
                beginField();
            } else if (m_pos - m_specifierStart >= longestSpecifier) {
                abandonField();
            } else {
                if (c == ':')
                    m_state = State::TypeIndicator;
                if (m_state == State::Length && c >= '0' && c <= '9') {
                    m_length = std::min(m_length * 10 + (c - '0'), largestLength);
                    m_lengthHasDigits = true;
                }
                ++m_pos;
            }
            break;
        case State::Value:
            readValue();
            break;
        }
    }
    finish();
    return false;
}

void AdifReader::beginField()
{
    m_nameStart = m_pos;
    m_state = State::FieldName;
}

void AdifReader::endFieldName(char terminator)
{
    if (terminator == ':') {
        m_specifierStart = m_pos;
        m_length = 0;
        m_lengthHasDigits = false;
        m_state = State::Length;
        return;
    }
    // A tag without length: a marker. The header's fields are not a record.
    m_state = State::BetweenFields;
    if (sameName(m_data + m_nameStart, m_nameEnd - m_nameStart, endOfHeader)) {
        m_current.clear();
        m_currentHasFields = false;
        m_currentHasBadLength = false;
    }
}

void AdifReader::endLengthSpecifier()
{
    m_currentHasFields = true;
    if (!m_lengthHasDigits) {
        m_currentHasBadLength = true;
        m_state = State::BetweenFields;
        return;
    }
    m_wantedField = wantedField(m_data + m_nameStart, m_nameEnd - m_nameStart);
    m_state = State::Value;
}

void AdifReader::readValue()
{
    const qsizetype available = m_end - m_pos;
    qsizetype size = std::min(m_length, available);
    // An exporter that counted characters instead of bytes leaves part of a value with
    // non-ASCII characters behind; a value counted in bytes is followed by a blank or a tag.
    if (m_encoding == AdifEncoding::Utf8 && size < available) {
        const char next = m_data[m_pos + size];
        if (!isBlank(next) && next != '<')
            size = std::max(size, utf8PrefixBytes(QByteArrayView(m_data + m_pos, available), m_length));
    }
    if (m_wantedField >= 0) {
        m_current.setIfAbsent(AdifField(m_wantedField),
                              decodeAdifText(QByteArrayView(m_data + m_pos, size), m_encoding));
    }
    m_pos += size;
    m_state = State::BetweenFields;
}

bool AdifReader::closeRecord(AdifRecord &record)
{
    const bool hadFields = m_currentHasFields;
    const bool badLength = m_currentHasBadLength;
    AdifRecord closed = std::move(m_current);
    m_current.clear();
    m_currentHasFields = false;
    m_currentHasBadLength = false;
    if (!hadFields)
        return false;
    if (badLength) {
        m_skipped.count(SkipReason::LengthWithoutDigits);
        return false;
    }
    if (closed.value(AdifField::Call).trimmed().isEmpty()) {
        m_skipped.count(SkipReason::NoCall);
        return false;
    }
    if (!formatFrequency(closed.value(AdifField::Freq))) {
        m_skipped.count(SkipReason::FrequencyNotNumber);
        return false;
    }
    record = std::move(closed);
    return true;
}

void AdifReader::abandonField()
{
    m_pos = m_nameStart;
    m_state = State::BetweenFields;
}

void AdifReader::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    if (m_currentHasFields)
        m_skipped.count(SkipReason::Unfinished);
    m_current.clear();
    m_currentHasFields = false;
}

AdifLog readAdifLog(const QByteArray &log)
{
    AdifLog result;
    AdifReader reader(log);
    AdifRecord record;
    while (reader.readNext(record))
        result.records.push_back(std::move(record));
    result.skipped = reader.skipped();
    return result;
}

QStringList readListRows(AdifReader &reader, const QString &defaultPower, int maxRecords)
{
    QStringList rows;
    AdifRecord record;
    while (rows.size() < maxRecords && reader.readNext(record))
        rows << listRow(record, defaultPower);
    return rows;
}
