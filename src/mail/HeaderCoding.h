#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

// The character set used for encoded words (RFC 2047) and its encoding letter.
struct HeaderCharset
{
    QString name;   // "ISO-8859-1", "GB2312", "Big5", "ISO-2022-JP", "EUC-KR", "UTF-8"
    char letter;    // 'Q' for ISO-8859-1, 'B' for the others
};

// The character set for the language of the given locale (the user's locale by default).
HeaderCharset headerCharsetFor(const QLocale &locale);
HeaderCharset systemHeaderCharset();

// The bytes of text in the named character set. Returns false (and leaves out untouched)
// when a character has no representation in it.
bool convertToCharset(const QString &text, const QString &charset, QByteArray *out);

// Characters that make a word of a display name need encoding.
inline constexpr const char *kAddressSpecials = "()<>@,;:\\\".[]";

// The header value with every word that is not plain printable ASCII (or that holds one of
// the given specials) written as encoded words of at most 75 characters. Stretches of such
// words become one run of encoded words; a run longer than one encoded word continues on a
// new line (CR LF, a tab). Text that the chosen character set cannot hold is encoded in
// UTF-8 ("B") instead, so that no character is lost.
QString encodeHeader(const QString &text, const HeaderCharset &charset,
                     const char *specials = "");
