#pragma once

#include <QByteArrayView>
#include <QString>

// How the bytes of a log are turned into text. Logs are UTF-8 as ADIF 3 asks; an older log
// that is not valid UTF-8 is taken as Windows-1252, the code page Windows loggers write.
enum class AdifEncoding { Utf8, Windows1252 };

// Utf8 when the bytes are valid UTF-8 (plain ASCII included), Windows1252 otherwise.
AdifEncoding detectAdifEncoding(QByteArrayView bytes);

QString decodeAdifText(QByteArrayView bytes, AdifEncoding encoding);

// decodeAdifText() into out, reusing out's storage for plain ASCII.
void decodeAdifTextInto(QString &out, QByteArrayView bytes, AdifEncoding encoding);

// Windows-1252 to text; the five bytes the code page leaves undefined come out as U+0081 etc.
QString fromWindows1252(QByteArrayView bytes);

// The number of bytes that the first `characters` UTF-8 characters of bytes occupy, stopping
// early at a '<' or at the end of bytes.
qsizetype utf8PrefixBytes(QByteArrayView bytes, qsizetype characters);

// A log's value made one line as a typed field is (oneLineText()): line breaks become a blank,
// other control characters are dropped. A value from a log becomes part of a row, a card's
// field and a contact info file line, where a line break would start a new line or record.
void makeOneLine(QString &value);
