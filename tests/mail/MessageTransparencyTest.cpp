#include "AttachmentPart.h"
#include "MailMessage.h"
#include "MessageCapture.h"
#include "MessageWriter.h"

#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

// No text handed to the message writer can end the DATA section early: whatever the
// attachment's transfer encoding and whatever the body holds (lone UTF-16 surrogates
// included), no line of the message is a lone ".", and undoing the dot rule gives back
// exactly what was meant.

namespace {

// The lines of the written message, cut at CR LF.
QList<QByteArray> linesOf(const QByteArray &bytes)
{
    QList<QByteArray> lines = bytes.split('\n');
    for (QByteArray &l : lines)
        if (l.endsWith('\r'))
            l.chop(1);
    return lines;
}

bool holdsLoneDot(const QByteArray &bytes)
{
    return linesOf(bytes).contains(QByteArray("."));
}

struct EncodingRow
{
    const char *name;
    const char *transferEncoding;
    QByteArray content;
    QByteArray lineSent;   // a line of the encoded attachment as it goes on the wire
};

void PrintTo(const EncodingRow &row, std::ostream *os) { *os << row.name; }

class AttachmentDotRule : public ::testing::TestWithParam<EncodingRow>
{
};

TEST_P(AttachmentDotRule, EncodedLinesBeginningWithDotAreDoubled)
{
    const EncodingRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.bin"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(row.content);
    f.close();

    MailMessage m;
    m.from.address = QStringLiteral("op@example.org");
    m.recipients.add(QStringLiteral("dx@example.net"));
    m.body = QStringList{QStringLiteral("73")};
    m.messageId = QStringLiteral("<1.2@example.org>");
    m.parts.addAttachment(path).setContentTransfer(QString::fromLatin1(row.transferEncoding));
    MessageCapture out;
    MessageWriter(out).writeMessage(m);

    EXPECT_FALSE(holdsLoneDot(out.bytes)) << out.bytes.constData();
    const QList<QByteArray> lines = linesOf(out.bytes);
    EXPECT_TRUE(lines.contains(row.lineSent)) << out.bytes.constData();
}

// A 14-byte uuencoded line starts with the length character "." (32 + 14).
const EncodingRow kEncodingRows[] = {
    {"QuotedPrintableLoneDot", "quoted-printable", "first\r\n.\r\nlast\r\n", ".."},
    {"QuotedPrintableDotLine", "quoted-printable", "a\n.MAIL FROM:<x@y>\n", "..MAIL FROM:<x@y>"},
    {"UuencodeFourteenBytes", "x-uu", "fourteen bytes", "..9F]U<G1E96X@8GET97,`"},
    {"Base64NeverStartsWithDot", "base64", ".\r\n", "Lg0K"},
};

INSTANTIATE_TEST_SUITE_P(Encodings, AttachmentDotRule, ::testing::ValuesIn(kEncodingRows),
                         [](const auto &info) { return std::string(info.param.name); });

struct BodyRow
{
    const char *name;
    QString body;
    bool withAttachment;
};

void PrintTo(const BodyRow &row, std::ostream *os) { *os << row.name; }

class SurrogateBody : public ::testing::TestWithParam<BodyRow>
{
};

TEST_P(SurrogateBody, LineBreaksAroundALoneSurrogateStillSplit)
{
    const BodyRow &row = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("card.jpg"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("x");
    f.close();
    MailMessage m;
    m.from.address = QStringLiteral("op@example.org");
    m.recipients.add(QStringLiteral("dx@example.net"));
    m.messageId = QStringLiteral("<1.2@example.org>");
    m.body = QStringList{row.body};
    if (row.withAttachment)
        m.parts.addAttachment(path);
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_FALSE(holdsLoneDot(out.bytes)) << out.bytes.constData();
    EXPECT_TRUE(linesOf(out.bytes).contains(QByteArray(".."))) << out.bytes.constData();
}

const QChar kHigh(char16_t(0xD800));
const QChar kLow(char16_t(0xDC00));

const BodyRow kBodyRows[] = {
    {"HighSurrogateBeforeDotLine", QStringLiteral("a") + kHigh + QStringLiteral("\r\n.\r\nQUIT"), false},
    {"LowSurrogateAfterDotLine", QStringLiteral("a\n.\n") + kLow, false},
    {"SurrogateInMultipartBody", QStringLiteral("x") + kHigh + QStringLiteral("\r.\rRSET"), true},
};

INSTANTIATE_TEST_SUITE_P(Bodies, SurrogateBody, ::testing::ValuesIn(kBodyRows),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
