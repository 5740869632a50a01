#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <memory>

class QIODevice;

// A transfer encoder: turns bytes into lines of 7-bit text (without line ends).
class MessageEncoder
{
public:
    virtual ~MessageEncoder() = default;

    // The lines for one piece of text (a body line of a text part).
    virtual QList<QByteArray> encodeBytes(const QByteArray &data) const = 0;

    // Encodes the whole source into target, every line followed by CR LF, reading the
    // source a piece at a time so that it is never held whole in memory. fileName is the
    // name announced by encoders that carry one (x-uu, x-xx).
    virtual void encodeStream(QIODevice &source, QIODevice &target, const QString &fileName) const;

protected:
    // Bytes read per step of encodeStream; every step stands on its own.
    virtual int chunkSize() const { return 57; }
};

// Base64 (RFC 2045): 57 bytes per line of 76 characters.
class Base64Encoder : public MessageEncoder
{
public:
    QList<QByteArray> encodeBytes(const QByteArray &data) const override;
    // The same lines as 57-byte steps give, encoded and written many lines at a time.
    void encodeStream(QIODevice &source, QIODevice &target, const QString &fileName) const override;
};

// Quoted-printable (RFC 2045): "=XX" for "=" and bytes outside printable ASCII, a trailing
// blank or tab encoded, soft line breaks keeping every line within 76 characters.
class QuotedPrintableEncoder : public MessageEncoder
{
public:
    QList<QByteArray> encodeBytes(const QByteArray &data) const override;
    void encodeStream(QIODevice &source, QIODevice &target, const QString &fileName) const override;
};

// uuencode and xxencode: 45 bytes per line, a length character in front, framed by
// "begin 644 <name>" and "end" when a whole file is encoded.
class UuEncoder : public MessageEncoder
{
public:
    QList<QByteArray> encodeBytes(const QByteArray &data) const override;
    void encodeStream(QIODevice &source, QIODevice &target, const QString &fileName) const override;

protected:
    int chunkSize() const override { return 45; }
    virtual char digit(int sixBits) const;
};

class XxEncoder : public UuEncoder
{
protected:
    char digit(int sixBits) const override;
};

// The encoder registered for a transfer encoding ("base64", "quoted-printable", "x-uu",
// "x-xx", any letter case); null when none is registered. No encoder is tied to a content
// type, so contentType does not narrow the choice.
std::unique_ptr<MessageEncoder> encoderFor(const QString &transferEncoding,
                                              const QString &contentType = QString());
