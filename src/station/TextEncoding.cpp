#include "TextEncoding.h"

#include <QStringDecoder>

namespace {

const QByteArray kBom("\xEF\xBB\xBF", 3);

// Code points of the bytes 0x80..0x9F in Windows-1252. The unassigned bytes 0x81, 0x8D, 0x8F,
// 0x90 and 0x9D keep their own number, as Windows itself maps them.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// The Windows-1252 byte of one UTF-16 code unit, or -1 when it has none.
int windows1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i)
        if (kHighControls[i] == c)
            return 0x80 + i;
    return -1;
}

} // namespace

TextEncoding detectEncoding(const QByteArray &bytes)
{
    if (!isValidUtf8(bytes))
        return TextEncoding::Windows1252;
    return bytes.startsWith(kBom) ? TextEncoding::Utf8WithBom : TextEncoding::Utf8;
}

QString decodeWindows1252(const QByteArray &bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (int i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes.at(i));
        text[i] = QChar(b >= 0x80 && b < 0xA0 ? kHighControls[b - 0x80] : char16_t(b));
    }
    return text;
}

QByteArray encodeWindows1252(const QString &text, bool *ok)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (int i = 0; i < text.size(); ++i) {
        const int b = windows1252Byte(text.at(i).unicode());
        if (b < 0) {
            *ok = false;
            return QByteArray();
        }
        bytes[i] = char(b);
    }
    *ok = true;
    return bytes;
}

QString decodeText(const QByteArray &bytes)
{
    switch (detectEncoding(bytes)) {
    case TextEncoding::Utf8WithBom: {
        // Only the first mark is the file's: a text that itself starts with U+FEFF keeps it.
        QStringDecoder decoder(QStringConverter::Utf8,
                               QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        return decoder.decode(QByteArrayView(bytes).sliced(kBom.size()));
    }
    case TextEncoding::Utf8:
        return QString::fromUtf8(bytes);
    case TextEncoding::Windows1252:
        break;
    }
    return decodeWindows1252(bytes);
}

QByteArray encodeForRewrite(const QString &text, const QByteArray &previousBytes)
{
    QByteArray bytes;
    switch (detectEncoding(previousBytes)) {
    case TextEncoding::Utf8WithBom:
        bytes = kBom + text.toUtf8();
        break;
    case TextEncoding::Utf8:
        bytes = text.toUtf8();
        break;
    case TextEncoding::Windows1252: {
        bool ok = false;
        bytes = encodeWindows1252(text, &ok);
        if (!ok)
            bytes = text.toUtf8();
        break;
    }
    }
    // The encoding is detected again when the file is read: Windows-1252 bytes that happen to
    // be valid UTF-8 ("\xc3\xa9" is "\u00c3\u00a9" there) or a text that starts with a byte
    // order mark would read back as other text. Such a file is written as UTF-8, marked when
    // the text itself begins with the mark.
    if (decodeText(bytes) == text)
        return bytes;
    bytes = text.toUtf8();
    return decodeText(bytes) == text ? bytes : kBom + bytes;
}
