#include "AdifReader.h"

#include <array>
#include <optional>
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

// Whether the name of size bytes at name is upperName (of upperSize bytes), whatever its case.
bool sameName(const char *name, qsizetype size, const char *upperName, qsizetype upperSize)
{
    if (size != upperSize)
        return false;
    for (qsizetype i = 0; i < size; ++i) {
        if (upper(name[i]) != upperName[i])
            return false;
    }
    return true;
}

bool isMarker(const char *name, qsizetype size, const char (&marker)[4])
{
    return sameName(name, size, marker, 3);
}

// The field Kartello reads under that name, or -1. Most names of a record are passed over,
// so they are told apart by length and first letter before any full comparison.
int wantedField(const char *name, qsizetype size)
{
    if (size < 4 || size > 8)
        return -1;
    AdifField candidate;
    switch (upper(name[0])) {
    case 'C': candidate = AdifField::Call; break;
    // QSO_DATE and QSL_SENT are of one length; their third letter tells them apart.
    case 'Q': candidate = upper(name[2]) == 'L' ? AdifField::QslSent : AdifField::QsoDate; break;
    case 'T': candidate = size == 7 ? AdifField::TimeOn : AdifField::TxPwr; break;
    case 'F': candidate = AdifField::Freq; break;
    case 'M': candidate = AdifField::Mode; break;
    // RST_RCVD and RST_SENT are of one length; their fifth letter tells them apart.
    case 'R': candidate = upper(name[4]) == 'S' ? AdifField::RstSent : AdifField::RstRcvd; break;
    case 'E': candidate = AdifField::Email; break;
    case 'S': candidate = AdifField::Submode; break;
    case 'B': candidate = AdifField::Band; break;
    default: return -1;
    }
    static constexpr qsizetype nameSizes[adifFieldCount] = {4, 8, 7, 4, 4, 6, 8, 5, 8, 7, 4, 8};
    return sameName(name, size, adifFieldName(candidate), nameSizes[int(candidate)])
               ? int(candidate)
               : -1;
}

// The bytes that end a field name: the length's ":", a marker's ">", or a "<" that starts over.
constexpr std::array<bool, 256> nameEnds = [] {
    std::array<bool, 256> ends{};
    ends[':'] = ends['>'] = ends['<'] = true;
    return ends;
}();

bool endsName(char c) { return nameEnds[static_cast<unsigned char>(c)]; }

bool isLetter(char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isNameCharacter(char c) { return isLetter(c) || isDigit(c) || c == '_'; }

// Whether the bytes at tag, up to end, begin a field tag ("<NAME:digits>", "<NAME:digits:T>")
// or a marker ("<EOR>", "<EOH>") of the form exporters write. A value whose length reaches
// into one was given a length too long, while a "<" that begins no such tag ("<3 73") is text.
bool isWellFormedTag(const char *tag, const char *end)
{
    const char *at = tag + 1;
    const char *nameLimit = std::min(end, at + longestFieldName);
    while (at < nameLimit && isNameCharacter(*at))
        ++at;
    const qsizetype nameSize = at - (tag + 1);
    if (nameSize == 0 || at >= end)
        return false;
    if (*at == '>')
        return isMarker(tag + 1, nameSize, endOfRecord) || isMarker(tag + 1, nameSize, endOfHeader);
    if (*at++ != ':')
        return false;
    const char *digits = at;
    while (at < end && at - digits < longestSpecifier && isDigit(*at))
        ++at;
    if (at == digits || at >= end)
        return false;
    if (*at == ':') {
        const char *type = ++at;
        while (at < end && at - type < longestSpecifier && isLetter(*at))
            ++at;
        if (at == type || at >= end)
            return false;
    }
    return *at == '>';
}

// The first well-formed tag among the size bytes at value, or nullptr.
const char *firstTagWithin(const char *value, qsizetype size, const char *end)
{
    const char *limit = value + size;
    for (const char *at = value; at < limit; ++at) {
        at = static_cast<const char *>(std::memchr(at, '<', size_t(limit - at)));
        if (!at)
            return nullptr;
        if (isWellFormedTag(at, end))
            return at;
    }
    return nullptr;
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
    case AdifField::RstSent: return "RST_SENT";
    case AdifField::Submode: return "SUBMODE";
    case AdifField::Band: return "BAND";
    case AdifField::QslSent: return "QSL_SENT";
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

AdifReader::AdifReader(QByteArray log, AdifEncoding encoding)
    : AdifReader(std::move(log))
{
    m_encoding = encoding;
}

bool AdifReader::readNext(AdifRecord &record)
{
    record.clear();
    m_current = &record;
    bool recordEnded = false;
    while (m_pos < m_end && !recordEnded) {
        switch (m_state) {
        case State::BetweenFields: readBetweenFields(); break;
        case State::FieldName: recordEnded = readFieldName(record); break;
        case State::Length:
        case State::TypeIndicator: readSpecifier(); break;
        case State::Value: readValue(); break;
        }
    }
    if (!recordEnded)
        finish();
    m_current = nullptr;
    return recordEnded;
}

void AdifReader::readBetweenFields()
{
    const char c = m_data[m_pos];
    // Loggers put the next tag right after a value or after one blank or line end.
    if (c == '<' || (isBlank(c) && m_pos + 1 < m_end && m_data[m_pos + 1] == '<')) {
        m_pos += c == '<' ? 1 : 2;
    } else {
        const void *open = std::memchr(m_data + m_pos, '<', size_t(m_end - m_pos));
        m_pos = open ? static_cast<const char *>(open) - m_data + 1 : m_end;
        if (!open)
            return;
    }
    beginField();
    readPlainField();
}

bool AdifReader::readFieldName(AdifRecord &record)
{
    const char c = m_data[m_pos];
    if (!endsName(c)) {
        // The name's characters in one run, up to where a name may end.
        const qsizetype limit = std::min(m_end, m_nameStart + longestFieldName);
        while (m_pos < limit && !endsName(m_data[m_pos]))
            ++m_pos;
        if (m_pos == limit && m_pos < m_end && !endsName(m_data[m_pos]))
            abandonField();
        return false;
    }
    if (c == '<') {
        ++m_pos;
        beginField();
        return false;
    }
    m_nameEnd = m_pos++;
    endFieldName(c);
    return c == '>' && isMarker(m_data + m_nameStart, m_nameEnd - m_nameStart, endOfRecord)
           && closeRecord(record);
}

void AdifReader::readSpecifier()
{
    const char c = m_data[m_pos];
    if (m_state == State::Length && c >= '0' && c <= '9') {
        // The length's digits in one run.
        while (m_pos < m_end && m_data[m_pos] >= '0' && m_data[m_pos] <= '9') {
            m_length = std::min(m_length * 10 + (m_data[m_pos] - '0'), largestLength);
            ++m_pos;
        }
        m_lengthHasDigits = true;
    } else if (c == '>') {
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
        ++m_pos;
    }
}

void AdifReader::readPlainField()
{
    // A plain "NAME:digits>" or "NAME:digits:T>" is read at once, as the states below would
    // read it; anything else is left to them.
    const qsizetype nameLimit = std::min(m_end, m_nameStart + longestFieldName);
    qsizetype at = m_pos;
    while (at < nameLimit && !endsName(m_data[at]))
        ++at;
    if (at >= m_end || m_data[at] != ':' || at == m_nameStart)
        return;
    const qsizetype nameEnd = at++;
    qsizetype length = 0;
    const qsizetype digitsStart = at;
    while (at < m_end && m_data[at] >= '0' && m_data[at] <= '9')
        length = std::min(length * 10 + (m_data[at++] - '0'), largestLength);
    if (at == digitsStart || at >= m_end)
        return;
    if (m_data[at] == ':') {
        const qsizetype typeLimit = std::min(m_end, nameEnd + 1 + longestSpecifier);
        ++at;
        while (at < typeLimit && ((m_data[at] | 0x20) >= 'a' && (m_data[at] | 0x20) <= 'z'))
            ++at;
    }
    if (at >= m_end || m_data[at] != '>')
        return;
    m_nameEnd = nameEnd;
    m_length = length;
    m_lengthHasDigits = true;
    m_pos = at + 1;
    endLengthSpecifier();
    readValue();
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
    if (isMarker(m_data + m_nameStart, m_nameEnd - m_nameStart, endOfHeader)) {
        m_current->clear();
        m_currentHasFields = false;
        m_currentHasBadLength = false;
        m_currentRanIntoField = false;
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
    // A length one or two too long, or a huge one, would swallow the next field or the
    // record's end, merging records: the value ends before the tag it reaches into.
    if (const char *tag = firstTagWithin(m_data + m_pos, size, m_data + m_end)) {
        size = tag - (m_data + m_pos);
        m_currentRanIntoField = true;
    }
    if (m_wantedField >= 0) {
        m_current->assignIfAbsent(AdifField(m_wantedField), QByteArrayView(m_data + m_pos, size),
                                  m_encoding);
    }
    m_pos += size;
    m_state = State::BetweenFields;
}

bool AdifReader::closeRecord(AdifRecord &record)
{
    const bool hadFields = m_currentHasFields;
    const bool badLength = m_currentHasBadLength;
    const bool ranIntoField = m_currentRanIntoField;
    m_currentHasFields = false;
    m_currentHasBadLength = false;
    m_currentRanIntoField = false;
    std::optional<SkipReason> skip;
    if (!hadFields)
        skip.reset();
    else if (badLength)
        skip = SkipReason::LengthWithoutDigits;
    else if (QStringView(record.value(AdifField::Call)).trimmed().isEmpty())
        skip = SkipReason::NoCall;
    else if (!isDecimalNumber(record.value(AdifField::Freq)))
        skip = SkipReason::FrequencyNotNumber;
    if (hadFields && !skip) {
        if (ranIntoField)
            m_skipped.countLengthIntoNextField();
        return true;
    }
    if (skip)
        m_skipped.count(*skip);
    record.clear();
    return false;
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
    if (m_current)
        m_current->clear();
    m_currentHasFields = false;
    m_currentRanIntoField = false;
}

namespace {

AdifLog readWholeLog(AdifReader &reader)
{
    AdifLog result;
    AdifRecord record;
    while (reader.readNext(record))
        result.records.push_back(std::move(record));
    result.skipped = reader.skipped();
    return result;
}

} // namespace

AdifLog readAdifLog(const QByteArray &log)
{
    AdifReader reader(log);
    return readWholeLog(reader);
}

AdifLog readAdifLog(const QByteArray &log, AdifEncoding encoding)
{
    AdifReader reader(log, encoding);
    return readWholeLog(reader);
}

QStringList readListRows(AdifReader &reader, const QString &defaultPower, int maxRecords)
{
    QStringList rows;
    AdifRecord record;
    while (rows.size() < maxRecords && reader.readNext(record))
        rows << listRow(record, defaultPower);
    return rows;
}
