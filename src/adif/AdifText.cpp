#include "AdifText.h"

#include "OneLine.h"

#include <array>
#include <cstring>

namespace {

// Length of the UTF-8 sequence that starts with lead, 0 for a byte that cannot start one.
int sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether oneLineText() would change text: a control character or a line break in it.
bool hasLineBreakOrControl(const QString &text)
{
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029)
            return true;
    }
    return false;
}

bool isContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Overlong forms, surrogates and code points above U+10FFFF are not UTF-8.
bool secondByteAllowed(unsigned char lead, unsigned char second)
{
    switch (lead) {
    case 0xE0: return second >= 0xA0;
    case 0xED: return second <= 0x9F;
    case 0xF0: return second >= 0x90;
    case 0xF4: return second <= 0x8F;
    default: return true;
    }
}

constexpr std::array<char16_t, 32> windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

AdifEncoding detectAdifEncoding(QByteArrayView bytes)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    while (i < size) {
        // Plain ASCII, the bulk of every log, is checked 32 and then eight bytes at a time.
        if (i + 32 <= size) {
            std::uint64_t words[4];
            std::memcpy(words, data + i, 32);
            if (((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ULL) == 0) {
                i += 32;
                continue;
            }
        }
        if (i + 8 <= size) {
            std::uint64_t word;
            std::memcpy(&word, data + i, 8);
            if ((word & 0x8080808080808080ULL) == 0) {
                i += 8;
                continue;
            }
        }
        const int length = sequenceLength(data[i]);
        if (length == 0 || i + length > size)
            return AdifEncoding::Windows1252;
        if (length > 1 && !secondByteAllowed(data[i], data[i + 1]))
            return AdifEncoding::Windows1252;
        for (int k = 1; k < length; ++k) {
            if (!isContinuation(data[i + k]))
                return AdifEncoding::Windows1252;
        }
        i += length;
    }
    return AdifEncoding::Utf8;
}

QString fromWindows1252(QByteArrayView bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar *out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        out[i] = (byte >= 0x80 && byte < 0xA0) ? QChar(windows1252High[byte - 0x80])
                                               : QChar(byte);
    }
    return text;
}

QString decodeAdifText(QByteArrayView bytes, AdifEncoding encoding)
{
    return encoding == AdifEncoding::Utf8 ? QString::fromUtf8(bytes) : fromWindows1252(bytes);
}

void decodeAdifTextInto(QString &out, QByteArrayView bytes, AdifEncoding encoding)
{
    out.resize(bytes.size());
    char16_t *chars = reinterpret_cast<char16_t *>(out.data());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80) {
            out = decodeAdifText(bytes, encoding);
            return;
        }
        chars[i] = byte;
    }
}

qsizetype utf8PrefixBytes(QByteArrayView bytes, qsizetype characters)
{
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    qsizetype i = 0;
    for (qsizetype counted = 0; counted < characters && i < bytes.size(); ++counted) {
        if (data[i] == '<')
            break;
        const int length = sequenceLength(data[i]);
        i += length == 0 ? 1 : length;
    }
    return std::min(i, bytes.size());
}

void makeOneLine(QString &value)
{
    if (hasLineBreakOrControl(value))
        value = oneLineText(value);
}
