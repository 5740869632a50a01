#include "MessageWriter.h"

#include "MailCoders.h"
#include "HeaderCoding.h"
#include "MessageFailure.h"
#include "MailMessage.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

namespace {

const QString kPreamble = QStringLiteral("This is a multi-part message in MIME format");
const QString kBlockIndent = QStringLiteral("        ");

// The caller's lines, each line break inside one of them (CR LF, CR or LF) starting a line
// of its own. Walks the UTF-16 units themselves: text that is not valid UTF-16 (a lone
// surrogate) is split all the same, so no "." line can hide in it.
QStringList splitBreaks(const QStringList &lines)
{
    QStringList result;
    for (const QString &l : lines) {
        qsizetype start = 0;
        for (qsizetype i = 0; i < l.size(); ++i) {
            const char16_t c = l.at(i).unicode();
            if (c != u'\r' && c != u'\n')
                continue;
            result << l.mid(start, i - start);
            if (c == u'\r' && i + 1 < l.size() && l.at(i + 1) == QLatin1Char('\n'))
                ++i;
            start = i + 1;
        }
        result << l.mid(start);
    }
    return result;
}

// Passes bytes on to a target device, putting one more "." before every line that begins
// with "." (the dot rule), whatever the encoder wrote. Base64 lines never begin with ".", so
// for them the bytes pass unchanged.
class DotStuffingDevice : public QIODevice
{
public:
    explicit DotStuffingDevice(QIODevice &target) : m_target(target) { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        // Runs without a "." at a line start pass straight through.
        qint64 from = 0;
        for (qint64 i = 0; i < size; ++i) {
            if (m_atLineStart && data[i] == '.') {
                if (!writeAll(data + from, i - from) || !writeAll(".", 1))
                    return -1;
                from = i;
            }
            m_atLineStart = data[i] == '\n';
        }
        return writeAll(data + from, size - from) ? size : -1;
    }

private:
    bool writeAll(const char *data, qint64 size) { return size == 0 || m_target.write(data, size) == size; }

    QIODevice &m_target;
    bool m_atLineStart = true;
};

QString quotedFileName(const QString &path)
{
    QString name = QFileInfo(path).fileName();
    name.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    name.replace(QLatin1Char('"'), QStringLiteral("\\\""));
    return QLatin1Char('"') + name + QLatin1Char('"');
}

bool isAscii(const QStringList &lines)
{
    for (const QString &l : lines) {
        for (const QChar c : l) {
            if (c.unicode() > 126)
                return false;
        }
    }
    return true;
}

bool isJapanese(const MailMessage &message)
{
    return message.headerLocale.language() == QLocale::Japanese;
}

} // namespace

void MessageWriter::line(const QString &text)
{
    m_sink.writeLine(text.toUtf8());
}

void MessageWriter::bodyLine(const QByteArray &bytes)
{
    m_sink.writeLine(bytes.startsWith('.') ? '.' + bytes : bytes);
}

void MessageWriter::writeHeader(MailMessage &message)
{
    message.settleContentType();
    const HeaderList header = message.generateHeader();
    for (const QString &l : header.lines())
        line(l);
}

void MessageWriter::writeMessage(MailMessage &message)
{
    message.checkSafeToSend();
    writeHeader(message);
    line(QString());
    writeBody(message);
}

void MessageWriter::writeBody(MailMessage &message)
{
    MessagePartList &parts = message.parts;
    if (parts.count() == 0) {
        writePlainBody(message);
        return;
    }
    const QString boundary = message.boundary();
    line(kPreamble);
    line(QString());
    if (parts.attachmentCount() == 0) {
        for (int i = 0; i < parts.count(); ++i) {
            line(QStringLiteral("--") + MessageBoundary::Mixed);
            writeTextPart(static_cast<TextPart &>(parts[i]));
        }
        line(QStringLiteral("--") + MessageBoundary::Mixed + QStringLiteral("--"));
        return;
    }
    line(QStringLiteral("--") + boundary);
    if (parts.textPartCount() >= 2) {
        writeAlternativeParts(message, boundary);
    } else {
        writeBodyPart(message.body);
    }
    for (int i = 0; i < parts.count(); ++i) {
        if (auto attachment = dynamic_cast<AttachmentPart *>(&parts[i])) {
            line(QString());
            line(QStringLiteral("--") + boundary);
            writeAttachment(*attachment);
        }
    }
    line(QStringLiteral("--") + boundary + QStringLiteral("--"));
}

void MessageWriter::writeBodyPart(const QStringList &body)
{
    const QStringList lines = splitBreaks(body);
    if (isAscii(lines)) {
        line(QStringLiteral("Content-Type: text/plain"));
        line(QStringLiteral("Content-Transfer-Encoding: 7bit"));
        line(QString());
        for (const QString &l : lines)
            bodyLine(l.toUtf8());
        return;
    }
    // Text beyond ASCII would be mislabelled as 7bit; say what it is and keep it 7-bit safe.
    line(QStringLiteral("Content-Type: text/plain; charset=UTF-8"));
    line(QStringLiteral("Content-Transfer-Encoding: quoted-printable"));
    line(QString());
    const QuotedPrintableEncoder encoder;
    for (const QString &l : lines) {
        for (const QByteArray &encoded : encoder.encodeBytes(l.toUtf8()))
            bodyLine(encoded);
    }
}

void MessageWriter::writePlainBody(const MailMessage &message)
{
    const bool japanese = isJapanese(message);
    for (const QString &l : splitBreaks(message.body)) {
        QByteArray bytes;
        if (!japanese || !convertToCharset(l, QStringLiteral("ISO-2022-JP"), &bytes))
            bytes = l.toUtf8();
        bodyLine(bytes);
    }
}

void MessageWriter::writeAlternativeParts(MailMessage &message, const QString &)
{
    const QString alt = MessageBoundary::Alternative;
    line(QStringLiteral("Content-Type: multipart/alternative; "));
    line(kBlockIndent + QStringLiteral("boundary=\"%1\"").arg(alt));
    line(QString());
    MessagePartList &parts = message.parts;
    for (int i = 0; i < parts.count(); ++i) {
        if (auto text = dynamic_cast<TextPart *>(&parts[i])) {
            line(QStringLiteral("--") + alt);
            writeTextPart(*text);
        }
    }
    line(QStringLiteral("--") + alt + QStringLiteral("--"));
}

void MessageWriter::writeTextPart(TextPart &part)
{
    if (part.contentType().isEmpty())
        part.setContentType(QStringLiteral("text/plain"));
    if (part.contentTransfer().isEmpty())
        part.setContentTransfer(QStringLiteral("quoted-printable"));
    line(QStringLiteral("Content-Type: ") + part.contentType());
    line(QStringLiteral("Content-Transfer-Encoding: ") + part.contentTransfer());
    for (const QString &l : part.extraHeaders.lines())
        line(l);
    line(QString());
    const auto encoder = encoderFor(part.contentTransfer(), part.contentType());
    for (const QString &l : splitBreaks(part.body)) {
        const QByteArray bytes = l.toUtf8();
        for (const QByteArray &encoded : encoder ? encoder->encodeBytes(bytes) : QList<QByteArray>{bytes})
            bodyLine(encoded);
    }
    line(QString());
}

void MessageWriter::writeAttachment(AttachmentPart &part)
{
    if (part.contentTransfer().isEmpty())
        part.setContentTransfer(QStringLiteral("base64"));
    if (part.contentDisposition().isEmpty())
        part.setContentDisposition(QStringLiteral("attachment"));
    if (part.contentTransfer().compare(QLatin1String("base64"), Qt::CaseInsensitive) == 0
        && part.contentType().isEmpty())
        part.setContentType(QStringLiteral("application/octet-stream"));
    const auto encoder = encoderFor(part.contentTransfer(), part.contentType());
    if (!encoder)
        failMessage(QStringLiteral("No encoder for the transfer encoding %1").arg(part.contentTransfer()));

    QFile source(part.fileName);
    if (part.fileName.isEmpty() || !source.open(QIODevice::ReadOnly))
        failMessage(QStringLiteral("Cannot open file %1").arg(part.fileName));
    // The encoded form goes to disk first, so the picture is never held whole in memory;
    // QTemporaryFile removes the file when it goes out of scope, also after a failure.
    // An unusable temporary folder reads as an empty path; never fall back to the
    // current folder.
    const QString tempFolder = QDir::tempPath();
    QTemporaryFile encoded(QDir(tempFolder).filePath(QStringLiteral("IndyXXXXXX")));
    if (tempFolder.isEmpty() || !encoded.open())
        failMessage(QStringLiteral("Cannot create file %1").arg(encoded.fileTemplate()));
    part.storedPathName = encoded.fileName();
    DotStuffingDevice stuffed(encoded);
    encoder->encodeStream(source, stuffed, QFileInfo(part.fileName).fileName());
    if (source.error() != QFileDevice::NoError)
        failMessage(QStringLiteral("Cannot read file %1").arg(part.fileName));
    if (!encoded.flush() || encoded.error() != QFileDevice::NoError)
        failMessage(QStringLiteral("Cannot write file %1").arg(encoded.fileName()));
    source.close();
    encoded.seek(0);

    const QString name = quotedFileName(part.fileName);
    line(QStringLiteral("Content-Type: ") + part.contentType() + QLatin1Char(';'));
    line(kBlockIndent + QStringLiteral("name=") + name);
    line(QStringLiteral("Content-Transfer-Encoding: ") + part.contentTransfer());
    line(QStringLiteral("Content-Disposition: ") + part.contentDisposition() + QLatin1Char(';'));
    line(kBlockIndent + QStringLiteral("filename=") + name);
    for (const QString &l : part.extraHeaders.lines())
        line(l);
    line(QString());
    m_sink.writeStream(encoded);
    line(QString());
}
