#include "MailCoders.h"

#include <QIODevice>

namespace {

void writeLine(QIODevice &target, const QByteArray &line)
{
    target.write(line);
    target.write("\r\n", 2);
}

void writeAll(QIODevice &target, const QList<QByteArray> &lines)
{
    for (const QByteArray &line : lines)
        writeLine(target, line);
}

} // namespace

void MessageEncoder::encodeStream(QIODevice &source, QIODevice &target, const QString &) const
{
    for (;;) {
        const QByteArray chunk = source.read(chunkSize());
        if (chunk.isEmpty())
            break;
        writeAll(target, encodeBytes(chunk));
    }
}

QList<QByteArray> Base64Encoder::encodeBytes(const QByteArray &data) const
{
    QList<QByteArray> lines;
    for (int i = 0; i < data.size(); i += 57)
        lines << data.mid(i, 57).toBase64();
    return lines;
}

void Base64Encoder::encodeStream(QIODevice &source, QIODevice &target, const QString &) const
{
    constexpr int kLinesPerBlock = 256;
    constexpr int kBlock = 57 * kLinesPerBlock;
    for (;;) {
        // A whole block unless the source ends, so every line but the last holds 57 bytes.
        QByteArray data = source.read(kBlock);
        while (data.size() < kBlock && !source.atEnd()) {
            const QByteArray more = source.read(kBlock - data.size());
            if (more.isEmpty())
                break;
            data += more;
        }
        if (data.isEmpty())
            break;
        const QByteArray encoded = data.toBase64();
        QByteArray lines;
        lines.reserve(encoded.size() + encoded.size() / 38 + 2);
        for (qsizetype at = 0; at < encoded.size(); at += 76) {
            lines.append(encoded.constData() + at, qMin<qsizetype>(76, encoded.size() - at));
            lines.append("\r\n", 2);
        }
        target.write(lines);
        if (data.size() < kBlock)
            break;
    }
}

QList<QByteArray> QuotedPrintableEncoder::encodeBytes(const QByteArray &data) const
{
    static const char hex[] = "0123456789ABCDEF";
    QList<QByteArray> lines;
    QByteArray line;
    for (int i = 0; i < data.size(); ++i) {
        const uchar b = uchar(data[i]);
        const bool last = i + 1 == data.size();
        const bool trailingWhite = last && (b == ' ' || b == '\t');
        QByteArray item;
        if (b == '=' || b > 126 || (b < 32 && b != '\t') || trailingWhite)
            item = QByteArray("=") + hex[b >> 4] + hex[b & 15];
        else
            item = QByteArray(1, char(b));
        if (line.size() + item.size() > 75) {
            lines << line + '=';
            line.clear();
        }
        line += item;
    }
    lines << line;
    return lines;
}

void QuotedPrintableEncoder::encodeStream(QIODevice &source, QIODevice &target,
                                             const QString &) const
{
    while (!source.atEnd()) {
        QByteArray line = source.readLine(4096);
        if (line.endsWith('\n'))
            line.chop(line.endsWith("\r\n") ? 2 : 1);
        writeAll(target, encodeBytes(line));
    }
}

char UuEncoder::digit(int sixBits) const
{
    return sixBits == 0 ? '`' : char(' ' + sixBits);
}

char XxEncoder::digit(int sixBits) const
{
    static const char table[] =
        "+-0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    return table[sixBits & 63];
}

QList<QByteArray> UuEncoder::encodeBytes(const QByteArray &data) const
{
    QList<QByteArray> lines;
    for (int start = 0; start < data.size(); start += 45) {
        const QByteArray chunk = data.mid(start, 45);
        QByteArray line(1, digit(int(chunk.size())));
        for (int i = 0; i < chunk.size(); i += 3) {
            const uchar a = uchar(chunk[i]);
            const uchar b = i + 1 < chunk.size() ? uchar(chunk[i + 1]) : 0;
            const uchar c = i + 2 < chunk.size() ? uchar(chunk[i + 2]) : 0;
            line += digit(a >> 2);
            line += digit(((a & 3) << 4) | (b >> 4));
            line += digit(((b & 15) << 2) | (c >> 6));
            line += digit(c & 63);
        }
        lines << line;
    }
    return lines;
}

void UuEncoder::encodeStream(QIODevice &source, QIODevice &target, const QString &fileName) const
{
    writeLine(target, "begin 644 " + fileName.toUtf8());
    MessageEncoder::encodeStream(source, target, fileName);
    writeLine(target, QByteArray(1, digit(0)));
    writeLine(target, "end");
}

std::unique_ptr<MessageEncoder> encoderFor(const QString &transferEncoding, const QString &)
{
    const QString name = transferEncoding.trimmed().toLower();
    if (name == QLatin1String("base64"))
        return std::make_unique<Base64Encoder>();
    if (name == QLatin1String("quoted-printable"))
        return std::make_unique<QuotedPrintableEncoder>();
    if (name == QLatin1String("x-uu"))
        return std::make_unique<UuEncoder>();
    if (name == QLatin1String("x-xx"))
        return std::make_unique<XxEncoder>();
    return nullptr;
}
