#include "HeaderCoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

const QString kLatin1 = QStringLiteral("ISO-8859-1");
const QString kUtf8 = QStringLiteral("UTF-8");

bool iconvConvert(const QByteArray &utf8, const QString &charset, QByteArray *out)
{
    iconv_t cd = iconv_open(charset.toLatin1().constData(), "UTF-8");
    if (cd == iconv_t(-1))
        return false;
    QByteArray result;
    QByteArray input = utf8;
    char *in = input.data();
    size_t inLeft = size_t(input.size());
    std::vector<char> buffer(4 * input.size() + 16);
    bool ok = true;
    for (;;) {
        char *outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        result.append(buffer.data(), int(buffer.size() - outLeft));
        if (rc == size_t(-1) && errno == E2BIG)
            continue;
        ok = rc != size_t(-1);
        break;
    }
    if (ok) {
        // Return to the initial shift state (ISO-2022-JP ends in ASCII).
        char *outPtr = buffer.data();
        size_t outLeft = buffer.size();
        iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
        result.append(buffer.data(), int(buffer.size() - outLeft));
    }
    iconv_close(cd);
    if (ok)
        *out = result;
    return ok;
}

struct Word
{
    QString space;
    QString text;
};

bool isWhite(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r')
        || c == QLatin1Char('\n');
}

std::vector<Word> splitWords(const QString &text)
{
    std::vector<Word> words;
    int i = 0;
    while (i < text.size()) {
        Word w;
        while (i < text.size() && isWhite(text[i]))
            w.space += text[i++];
        while (i < text.size() && !isWhite(text[i]))
            w.text += text[i++];
        words.push_back(w);
    }
    return words;
}

bool needsEncoding(const QString &word, const char *specials)
{
    for (const QChar c : word) {
        const ushort u = c.unicode();
        if (u < 32 || u > 126 || (u < 128 && std::strchr(specials, char(u)) && u != 0))
            return true;
    }
    return false;
}

std::vector<QString> qItems(const QByteArray &bytes)
{
    std::vector<QString> items;
    for (const char ch : bytes) {
        const uchar b = uchar(ch);
        if (b < 32 || b > 126 || b == '=' || b == '?' || b == '_')
            items.push_back(QStringLiteral("=%1").arg(b, 2, 16, QLatin1Char('0')).toUpper());
        else if (b == ' ')
            items.push_back(QStringLiteral("_"));
        else
            items.push_back(QString(QLatin1Char(char(b))));
    }
    return items;
}

// "B" words end on character boundaries, so every encoded word decodes on its own
// (a multi-byte character is never split between two words).
QString encodeBWords(const QString &stretch, const HeaderCharset &charset, const QString &prefix)
{
    auto wordLength = [&](const QByteArray &bytes) {
        return prefix.size() + 4 * ((bytes.size() + 2) / 3) + 2;
    };
    QStringList words;
    QString chunk;
    QByteArray chunkBytes;
    for (int i = 0; i < stretch.size();) {
        const int len = stretch[i].isHighSurrogate() && i + 1 < stretch.size() ? 2 : 1;
        const QString next = chunk + stretch.mid(i, len);
        QByteArray bytes;
        convertToCharset(next, charset.name, &bytes);
        if (!chunk.isEmpty() && wordLength(bytes) > 75) {
            words << prefix + QString::fromLatin1(chunkBytes.toBase64()) + QStringLiteral("?=");
            chunk = stretch.mid(i, len);
            convertToCharset(chunk, charset.name, &chunkBytes);
        } else {
            chunk = next;
            chunkBytes = bytes;
        }
        i += len;
    }
    words << prefix + QString::fromLatin1(chunkBytes.toBase64()) + QStringLiteral("?=");
    return words.join(QStringLiteral("\r\n\t"));
}

QString encodeStretch(const QString &stretch, const HeaderCharset &wanted)
{
    HeaderCharset charset = wanted;
    QByteArray bytes;
    if (!convertToCharset(stretch, charset.name, &bytes)) {
        charset = HeaderCharset{kUtf8, 'B'};
        bytes = stretch.toUtf8();
    }
    const QString prefix = QStringLiteral("=?%1?%2?").arg(charset.name).arg(QLatin1Char(charset.letter));
    if (charset.letter == 'B')
        return encodeBWords(stretch, charset, prefix);
    const auto items = qItems(bytes);
    QString result;
    QString current = prefix;
    for (const QString &item : items) {
        if (current.size() + item.size() + 2 > 75 && current != prefix) {
            result += current + QStringLiteral("?=\r\n\t");
            current = prefix;
        }
        current += item;
    }
    return result + current + QStringLiteral("?=");
}

} // namespace

HeaderCharset headerCharsetFor(const QLocale &locale)
{
    switch (locale.language()) {
    case QLocale::Chinese:
        if (locale.script() == QLocale::SimplifiedHanScript)
            return {QStringLiteral("GB2312"), 'B'};
        return {QStringLiteral("Big5"), 'B'};
    case QLocale::Japanese:
        return {QStringLiteral("ISO-2022-JP"), 'B'};
    case QLocale::Korean:
        return {QStringLiteral("EUC-KR"), 'B'};
    default:
        return {kLatin1, 'Q'};
    }
}

HeaderCharset systemHeaderCharset()
{
    return headerCharsetFor(QLocale::system());
}

bool convertToCharset(const QString &text, const QString &charset, QByteArray *out)
{
    if (charset.compare(kLatin1, Qt::CaseInsensitive) == 0) {
        for (const QChar c : text) {
            if (c.unicode() > 0xFF)
                return false;
        }
        *out = text.toLatin1();
        return true;
    }
    if (charset.compare(kUtf8, Qt::CaseInsensitive) == 0) {
        *out = text.toUtf8();
        return true;
    }
    return iconvConvert(text.toUtf8(), charset, out);
}

QString encodeHeader(const QString &text, const HeaderCharset &charset, const char *specials)
{
    const std::vector<Word> words = splitWords(text);
    QString result;
    size_t i = 0;
    while (i < words.size()) {
        if (!needsEncoding(words[i].text, specials)) {
            result += words[i].space + words[i].text;
            ++i;
            continue;
        }
        result += words[i].space;
        QString stretch = words[i].text;
        size_t j = i + 1;
        for (; j < words.size() && needsEncoding(words[j].text, specials); ++j)
            stretch += words[j].space + words[j].text;
        result += encodeStretch(stretch, charset);
        i = j;
    }
    return result;
}
