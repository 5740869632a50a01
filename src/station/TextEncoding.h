#pragma once

#include <QByteArray>
#include <QString>

// The encodings of Kartello's text files. Operators bring data files written by older programs
// in the Windows 8-bit code page; files Kartello writes itself are UTF-8.
enum class TextEncoding {
    Utf8,        // valid UTF-8 without a byte order mark (plain ASCII included)
    Utf8WithBom, // valid UTF-8 after the bytes EF BB BF
    Windows1252, // anything that is not valid UTF-8
};

// UTF-8 when the bytes are valid UTF-8 (with or without a byte order mark), else Windows-1252.
TextEncoding detectEncoding(const QByteArray &bytes);

// The text of the bytes in their detected encoding; the byte order mark is not part of it.
QString decodeText(const QByteArray &bytes);

// Windows-1252 text: 0x80..0x9F through the code page's table (its five unassigned bytes
// stand for the control characters of the same number, so every byte reads back), the rest
// as Latin-1.
QString decodeWindows1252(const QByteArray &bytes);

// The Windows-1252 bytes of text; *ok is false (and the result empty) when a
// character has no Windows-1252 byte.
QByteArray encodeWindows1252(const QString &text, bool *ok);

// The bytes Kartello writes for text that replaces a file holding previousBytes (empty when
// there is none): the previous file's encoding, so an unchanged file keeps its bytes, and
// UTF-8 when a character does not fit it. A byte order mark stays. The bytes always read back
// as text: where the previous encoding's bytes would be taken for another text (Windows-1252
// bytes that form valid UTF-8), the whole text is written as UTF-8.
QByteArray encodeForRewrite(const QString &text, const QByteArray &previousBytes);
