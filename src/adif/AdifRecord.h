#pragma once

#include "AdifText.h"

#include <QString>

#include <array>
#include <cstdint>

// The ADIF fields Kartello reads from a log; every other field of a record is passed over.
enum class AdifField : std::uint8_t {
    Call,
    QsoDate,
    TimeOn,
    Freq,
    Mode,
    TxPwr,
    RstRcvd,
    Email,
    RstSent,
    Submode,
    Band,
    QslSent,
};

inline constexpr int adifFieldCount = 12;

// The field's name as ADIF writes it (upper case): "CALL", "QSO_DATE", ...
const char *adifFieldName(AdifField field);

// One record of a log: the values of the fields Kartello reads. A field the record does not
// have is absent and its value empty; the first occurrence of a field counts.
class AdifRecord
{
public:
    bool has(AdifField field) const { return (m_present >> index(field)) & 1u; }
    // The field's value; empty when the record does not have the field.
    const QString &value(AdifField field) const
    {
        static const QString absent;
        return has(field) ? m_values[index(field)] : absent;
    }

    // Keeps the first value given for a field, made one line, and ignores later ones.
    void setIfAbsent(AdifField field, QString value)
    {
        if (has(field))
            return;
        makeOneLine(value);
        m_values[index(field)] = std::move(value);
        m_present |= 1u << index(field);
    }
    // Keeps the first value given for a field: the bytes decoded as encoding says and made one
    // line, in the storage the record already has where it can (a reader fills one record
    // after another).
    void assignIfAbsent(AdifField field, QByteArrayView bytes, AdifEncoding encoding)
    {
        if (has(field))
            return;
        decodeAdifTextInto(m_values[index(field)], bytes, encoding);
        makeOneLine(m_values[index(field)]);
        m_present |= 1u << index(field);
    }
    // Whether any field of those Kartello reads was seen.
    bool isEmpty() const { return m_present == 0; }
    // Forgets every field; the storage stays for the next record.
    void clear() { m_present = 0; }

private:
    static int index(AdifField field) { return static_cast<int>(field); }

    std::array<QString, adifFieldCount> m_values;
    std::uint32_t m_present = 0;
};
