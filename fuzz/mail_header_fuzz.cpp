// Feeds arbitrary text through the mail header coding and decodes it back with a decoder of
// its own: an encoded header value, and a display name in an address, read as the text that
// was given; a folded header never holds an empty line.
#include "EmailAddress.h"
#include "HeaderCoding.h"
#include "HeaderList.h"

#include <QRegularExpression>
#include <QStringDecoder>

#include <cstdint>
#include <cstdlib>

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r') || c == QLatin1Char('\n'); }

// The text of one encoded word ("=?UTF-8?B?...?="), or nothing when word is not one.
std::optional<QString> decodedWord(const QString &word)
{
    static const QRegularExpression form(QStringLiteral("^=\\?([^?]+)\\?([BbQq])\\?([^?]*)\\?=$"));
    const QRegularExpressionMatch m = form.match(word);
    if (!m.hasMatch())
        return std::nullopt;
    const QByteArray text = m.captured(3).toLatin1();
    QByteArray bytes;
    if (m.captured(2).toUpper() == QLatin1String("B")) {
        const auto result = QByteArray::fromBase64Encoding(text, QByteArray::AbortOnBase64DecodingErrors);
        if (!result)
            std::abort();
        bytes = *result;
    } else {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i] == '_')
                bytes += ' ';
            else if (text[i] == '=' && i + 2 < text.size())
                bytes += char(QByteArray::fromHex(text.mid(++i, 2)).at(0)), ++i;
            else
                bytes += text[i];
        }
    }
    const QString charset = m.captured(1).toUpper();
    if (charset == QLatin1String("ISO-8859-1"))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(QStringConverter::Utf8);
    const QString decoded = decoder.decode(bytes);
    if (charset != QLatin1String("UTF-8") || decoder.hasError())
        std::abort(); // every word must hold whole characters of its own character set
    return decoded;
}

// The header value read as a mail program reads it: blanks between two encoded words vanish.
QString decodedHeader(const QString &value)
{
    QString out, pendingBlanks;
    bool lastWasEncoded = false;
    qsizetype i = 0;
    while (i < value.size()) {
        if (isBlank(value[i])) {
            pendingBlanks += value[i++];
            continue;
        }
        qsizetype end = i;
        while (end < value.size() && !isBlank(value[end]))
            ++end;
        const QString word = value.mid(i, end - i);
        const std::optional<QString> decoded = decodedWord(word);
        if (!(decoded && lastWasEncoded))
            out += pendingBlanks;
        out += decoded ? *decoded : word;
        pendingBlanks.clear();
        lastWasEncoded = bool(decoded);
        i = end;
    }
    return out + pendingBlanks;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 1)
        return 0;
    const HeaderCharset charset = data[0] & 1 ? HeaderCharset{QStringLiteral("UTF-8"), 'B'}
                                              : HeaderCharset{QStringLiteral("ISO-8859-1"), 'Q'};
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1));
    // A header value is one line; text that already looks encoded is not ours to keep apart.
    text.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QChar(0));
    if (text.contains(QLatin1String("=?")))
        return 0;
    const QString encoded = encodeHeader(text, charset);
    if (decodedHeader(encoded) != text)
        std::abort();

    HeaderList headers;
    headers.setValue(QStringLiteral("Subject"), encoded);
    for (const QString &line : headers.lines())
        if (line.trimmed().isEmpty())
            std::abort();

    const EmailAddress address(QStringLiteral("op@example.org"), text);
    const QString written = address.text(charset);
    if (text.isEmpty())
        return 0;
    if (!written.endsWith(QLatin1String(" <op@example.org>")))
        std::abort();
    const QString name = written.chopped(17);
    QString back;
    if (name.startsWith(QLatin1Char('"')) && name.endsWith(QLatin1Char('"')) && name.size() >= 2) {
        for (qsizetype i = 1; i + 1 < name.size(); ++i)
            back += name[i] == QLatin1Char('\\') ? name[++i] : name[i];
    } else {
        back = decodedHeader(name);
    }
    if (back != text)
        std::abort();
    return 0;
}
