#include "MailErrors.h"
#include "MessageCapture.h"
#include "MailMessage.h"
#include "MessageWriter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kHeader =
    "From: op@example.org\r\n"
    "Subject: QSL card attachment from op@example.org\r\n"
    "To: dx@example.net\r\n"
    "Content-Type: multipart/mixed; boundary=\"=_NextPart_2rfkindysadvnqw3nerasdf\";\r\n"
    "MIME-Version: 1.0\r\n"
    "Date: Mon, 7 Dec 2026 23:49:32 +0100\r\n"
    "X-Priority: 3\r\n"
    "X-Library: Indy 8.0.22\r\n"
    "Message-ID: <kq3.x7@example.org>\r\n"
    "\r\n";

const QByteArray kTextPart =
    "This is a multi-part message in MIME format\r\n"
    "\r\n"
    "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
    "Content-Type: text/plain\r\n"
    "Content-Transfer-Encoding: 7bit\r\n"
    "\r\n";

QByteArray attachmentHead(const QByteArray &name)
{
    return "\r\n"
           "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
           "Content-Type: application/octet-stream;\r\n"
           "        name=\"" + name + "\"\r\n"
           "Content-Transfer-Encoding: base64\r\n"
           "Content-Disposition: attachment;\r\n"
           "        filename=\"" + name + "\"\r\n"
           "\r\n";
}

const QByteArray kClosing = "\r\n--=_NextPart_2rfkindysadvnqw3nerasdf--\r\n";

class MessageWriterTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_oldTmp = qgetenv("TMPDIR");
        qputenv("TMPDIR", m_encodedDir.path().toUtf8());
    }
    void TearDown() override { qputenv("TMPDIR", m_oldTmp); }

    QString makeFile(const QString &name, const QByteArray &content)
    {
        const QString path = m_files.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }

    // The message Kartello sends: one body line and one card picture.
    void programMessage(MailMessage &m, const QString &file)
    {
        m.clock = [] {
            return QDateTime(QDate(2026, 12, 7), QTime(23, 49, 32), QTimeZone(3600));
        };
        m.headerLocale = QLocale(QLocale::English, QLocale::UnitedStates);
        m.from.address = QStringLiteral("op@example.org");
        m.recipients.add(QStringLiteral("dx@example.net"));
        m.subject = QStringLiteral("QSL card attachment from op@example.org");
        m.body = QStringList{QStringLiteral("Tnx for QSO, 73")};
        m.contentType = QStringLiteral("text/HTML");
        m.messageId = QStringLiteral("<kq3.x7@example.org>");
        m.parts.addAttachment(file);
    }

    QStringList encodedFilesLeft() const
    {
        return QDir(m_encodedDir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir m_files;
    QTemporaryDir m_encodedDir;
    QByteArray m_oldTmp;
};

struct AttachmentRow
{
    const char *what;
    QByteArray content;
    QByteArray dataLines;
};

void PrintTo(const AttachmentRow &row, std::ostream *os) { *os << row.what; }

class AttachmentBytes : public MessageWriterTest, public ::testing::WithParamInterface<AttachmentRow>
{
};

TEST_P(AttachmentBytes, WholeMessageIsExact)
{
    const AttachmentRow &row = GetParam();
    MailMessage m;
    programMessage(m, makeFile(QStringLiteral("K1ABC.jpg"), row.content));
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_EQ(QString::fromLatin1(out.bytes),
              QString::fromLatin1(kHeader + kTextPart + "Tnx for QSO, 73\r\n"
                                  + attachmentHead("K1ABC.jpg") + row.dataLines + kClosing));
    EXPECT_TRUE(out.streamedFileExisted);
    EXPECT_FALSE(QFile::exists(static_cast<AttachmentPart &>(m.parts[0]).storedPathName));
}

const QByteArray kA76 = QByteArray("QUFB").repeated(19);

INSTANTIATE_TEST_SUITE_P(
    Sizes, AttachmentBytes,
    ::testing::Values(
        AttachmentRow{"empty", QByteArray(), QByteArray()},
        AttachmentRow{"four", "QSL!", "UVNMIQ==\r\n"},
        AttachmentRow{"one_line", QByteArray(57, 'A'), kA76 + "\r\n"},
        AttachmentRow{"two_left_over", QByteArray(58, 'A'), kA76 + "\r\nQQ==\r\n"},
        AttachmentRow{"one_left_over", QByteArray(59, 'A'), kA76 + "\r\nQUE=\r\n"},
        AttachmentRow{"two_lines", QByteArray(114, 'A'), kA76 + "\r\n" + kA76 + "\r\n"},
        AttachmentRow{"several_blocks", QByteArray(57 * 600 + 1, 'A'), (kA76 + "\r\n").repeated(600) + "QQ==\r\n"}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(MessageWriterTest, AttachmentNamesOnlyTheLastPathComponent)
{
    QDir(m_files.path()).mkpath(QStringLiteral("cards/2026"));
    MailMessage m;
    programMessage(m, makeFile(QStringLiteral("cards/2026/DL1XYZ.jpg"), "x"));
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_TRUE(out.bytes.contains(attachmentHead("DL1XYZ.jpg")));
    EXPECT_FALSE(out.bytes.contains("cards/"));
}

TEST_F(MessageWriterTest, QuoteInFileNameStaysInsideTheQuotedString)
{
    MailMessage m;
    programMessage(m, makeFile(QStringLiteral("a\"b.jpg"), "x"));
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_TRUE(out.bytes.contains("        name=\"a\\\"b.jpg\"\r\n"));
}

struct DotRow
{
    const char *what;
    QStringList body;
    QByteArray sent;
};

void PrintTo(const DotRow &row, std::ostream *os) { *os << row.what; }

class DotRule : public MessageWriterTest, public ::testing::WithParamInterface<DotRow>
{
};

TEST_P(DotRule, LinesBeginningWithDotAreDoubled)
{
    for (bool withAttachment : {true, false}) {
        MailMessage m;
        programMessage(m, makeFile(QStringLiteral("c.jpg"), "x"));
        if (!withAttachment)
            m.parts.clear();
        m.body = GetParam().body;
        MessageCapture out;
        MessageWriter(out).writeMessage(m);
        const QByteArray expected = withAttachment ? "7bit\r\n\r\n" + GetParam().sent + "\r\n--"
                                                   : "\r\n\r\n" + GetParam().sent;
        EXPECT_TRUE(out.bytes.contains(expected)) << out.bytes.constData();
        if (!withAttachment) {
            EXPECT_TRUE(out.bytes.endsWith(GetParam().sent));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    body, DotRule,
    ::testing::Values(
        DotRow{"lone_dot", {"."}, "..\r\n"},
        DotRow{"dots", {"..x", "a.b", ""}, "...x\r\na.b\r\n\r\n"},
        DotRow{"line_break_inside", {"a\r\n.\r\nMAIL FROM:<x@y>"}, "a\r\n..\r\nMAIL FROM:<x@y>\r\n"},
        DotRow{"bare_lf_inside", {"a\n.\rb"}, "a\r\n..\r\nb\r\n"}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(MessageWriterTest, BodyBeyondAsciiIsLabelledAndQuotedPrintable)
{
    MailMessage m;
    programMessage(m, makeFile(QStringLiteral("c.jpg"), "QSL!"));
    m.body = QStringList{QStringLiteral("Gr\u00fc\u00dfe, 73")};
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_TRUE(out.bytes.contains("--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
                                   "Content-Type: text/plain; charset=UTF-8\r\n"
                                   "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                                   "Gr=C3=BC=C3=9Fe, 73\r\n\r\n--"));
}

TEST_F(MessageWriterTest, JapaneseBodyWithoutPartsGoesOutInIso2022Jp)
{
    MailMessage m;
    programMessage(m, QString());
    m.parts.clear();
    m.headerLocale = QLocale(QLocale::Japanese, QLocale::Japan);
    m.body = QStringList{QStringLiteral("\u65e5\u672c 73")};
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_TRUE(out.bytes.endsWith("\r\n\r\n\x1b$BF|K\\\x1b(B 73\r\n"));
}

TEST_F(MessageWriterTest, SinglePartMessageEndsContentTypeWithSemicolon)
{
    MailMessage m;
    programMessage(m, QString());
    m.parts.clear();
    m.contentType = QStringLiteral("text/plain");
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    EXPECT_EQ(QString::fromLatin1(out.bytes),
              QStringLiteral("From: op@example.org\r\n"
                             "Subject: QSL card attachment from op@example.org\r\n"
                             "To: dx@example.net\r\n"
                             "Content-Type: text/plain;\r\n"
                             "Date: Mon, 7 Dec 2026 23:49:32 +0100\r\n"
                             "X-Priority: 3\r\n"
                             "X-Library: Indy 8.0.22\r\n"
                             "Message-ID: <kq3.x7@example.org>\r\n"
                             "\r\n"
                             "Tnx for QSO, 73\r\n"));
}

TEST_F(MessageWriterTest, TextPartsWithoutAttachmentsUseTheAlternativeLayout)
{
    MailMessage m;
    programMessage(m, QString());
    m.parts.clear();
    m.parts.addText().body = QStringList{QStringLiteral("a=b")};
    TextPart &html = m.parts.addText();
    html.setContentType(QStringLiteral("text/html"));
    html.body = QStringList{QStringLiteral(".<b>x</b>")};
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    const QByteArray body = out.bytes.mid(out.bytes.indexOf("\r\n\r\n") + 4);
    EXPECT_EQ(QString::fromLatin1(body),
              QStringLiteral("This is a multi-part message in MIME format\r\n\r\n"
                             "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
                             "Content-Type: text/plain\r\n"
                             "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                             "a=3Db\r\n\r\n"
                             "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
                             "Content-Type: text/html\r\n"
                             "Content-Transfer-Encoding: quoted-printable\r\n\r\n"
                             "..<b>x</b>\r\n\r\n"
                             "--=_NextPart_2rfkindysadvnqw3nerasdf--\r\n"));
    EXPECT_TRUE(out.bytes.contains("Content-Type: multipart/alternative; boundary="
                                   "\"=_NextPart_2rfkindysadvnqw3nerasdf\";\r\n"));
}

TEST_F(MessageWriterTest, TextPartsBesideAnAttachmentGoInANestedAlternative)
{
    MailMessage m;
    programMessage(m, makeFile(QStringLiteral("c.jpg"), "QSL!"));
    m.parts.addText().body = QStringList{QStringLiteral("plain")};
    m.parts.addText().body = QStringList{QStringLiteral("other")};
    MessageCapture out;
    MessageWriter(out).writeMessage(m);
    const QByteArray alt = "--=_NextPart_2altrfkindysadvnqw3nerasdf";
    EXPECT_TRUE(out.bytes.contains(
        "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
        "Content-Type: multipart/alternative; \r\n"
        "        boundary=\"=_NextPart_2altrfkindysadvnqw3nerasdf\"\r\n\r\n" + alt + "\r\n"
        "Content-Type: text/plain\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\n"
        "plain\r\n\r\n" + alt + "\r\n"));
    EXPECT_TRUE(out.bytes.contains("other\r\n\r\n" + alt + "--\r\n" + attachmentHead("c.jpg")
                                   + "UVNMIQ==\r\n" + kClosing));
    EXPECT_FALSE(out.bytes.contains("Tnx for QSO"));
}

TEST_F(MessageWriterTest, OneTextPartIsRefusedBeforeAnythingIsWritten)
{
    MailMessage m;
    programMessage(m, QString());
    m.parts.clear();
    m.parts.addText();
    MessageCapture out;
    try {
        MessageWriter(out).writeMessage(m);
        FAIL() << "no error";
    } catch (const MailError &e) {
        EXPECT_EQ(e.text(), QStringLiteral("Invalid Text count. TIdText must be greater than 1"));
    }
    EXPECT_EQ(out.bytes, QByteArray());
}

struct FailureRow
{
    const char *what;
    bool missingSource;
    const char *tempFolder;  // TMPDIR below the attachment folder, when set
    int failOnStream;        // 1: the stream write throws; 2: the line after it throws
    const char *error;       // prefix of the expected text
};

void PrintTo(const FailureRow &row, std::ostream *os) { *os << row.what; }

class EncodedFileRemoved : public MessageWriterTest, public ::testing::WithParamInterface<FailureRow>
{
};

TEST_P(EncodedFileRemoved, OnEveryPath)
{
    const FailureRow &row = GetParam();
    MailMessage m;
    const QString file = row.missingSource ? m_files.filePath(QStringLiteral("gone.jpg"))
                                           : makeFile(QStringLiteral("c.jpg"), QByteArray(200, 'x'));
    programMessage(m, file);
    makeFile(QStringLiteral("plain-file"), "x");
    if (row.tempFolder)
        qputenv("TMPDIR", m_files.filePath(QLatin1String(row.tempFolder)).toUtf8());
    MessageCapture out;
    bool streamed = false;
    out.failAt = [&](const QByteArray &, bool stream) {
        if (stream && row.failOnStream == 1)
            throw SocketError(10054);
        if (!stream && streamed && row.failOnStream == 2)
            throw ConnectionClosedError();
        streamed = streamed || stream;
    };
    QString text;
    try {
        MessageWriter(out).writeMessage(m);
    } catch (const MailError &e) {
        text = e.text();
    }
    EXPECT_EQ(text.left(int(qstrlen(row.error))), QLatin1String(row.error));
    if (row.missingSource) {
        EXPECT_EQ(text, QStringLiteral("Cannot open file ") + file);
    }
    EXPECT_EQ(encodedFilesLeft(), QStringList());
    // Header and text part went out before the failing attachment.
    EXPECT_TRUE(out.bytes.startsWith(kHeader + kTextPart + "Tnx for QSO, 73\r\n"));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, EncodedFileRemoved,
    ::testing::Values(
        FailureRow{"sent", false, nullptr, 0, ""},
        FailureRow{"missing_source", true, nullptr, 0, "Cannot open file "},
        FailureRow{"no_temp_folder", false, "no/such/folder", 0, "Cannot create file "},
        FailureRow{"temp_folder_is_a_file", false, "plain-file", 0, "Cannot create file "},
        FailureRow{"stream_fails", false, nullptr, 1, "Socket Error # 10054"},
        FailureRow{"line_after_stream_fails", false, nullptr, 2, "Connection Closed Gracefully."}),
    [](const auto &info) { return std::string(info.param.what); });

TEST_F(MessageWriterTest, UnsafeValueIsRefusedBeforeAnythingIsWritten)
{
    MailMessage m;
    programMessage(m, makeFile(QStringLiteral("c.jpg"), "x"));
    m.parts.addAttachment(makeFile(QStringLiteral("evil\r\nX-Evil: 1.jpg"), "x"));
    MessageCapture out;
    EXPECT_THROW(MessageWriter(out).writeMessage(m), UnsafeTextError);
    EXPECT_EQ(out.bytes, QByteArray());
}

} // namespace
