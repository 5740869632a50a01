#include "Mailer.h"

#include "AiosmtpdServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <random>

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");
const QString kScripts = QStringLiteral(KARTELLO_MAIL_TEST_DIR);

// A real JPEG card picture made by libjpeg: noisy, so it is larger than one 32768-byte block.
QByteArray writeJpeg(const QString &path, int width, int height)
{
    FILE *out = std::fopen(QFile::encodeName(path).constData(), "wb");
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::mt19937 noise(7);
    std::vector<JSAMPLE> row(size_t(width) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (JSAMPLE &sample : row)
            sample = JSAMPLE(noise() & 0xFF);
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(out);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Python's own e-mail parser: one line per MIME part, attachments written to `folder`.
QStringList parseWithPython(const QString &emlPath, const QString &folder)
{
    QProcess python;
    python.start(kPython, {kScripts + QStringLiteral("/decode_attachment.py"), emlPath, folder});
    python.waitForFinished(20000);
    return QString::fromUtf8(python.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
}

class MailEndToEnd : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkdir(QStringLiteral("inbox"));
        QDir(m_dir.path()).mkdir(QStringLiteral("decoded"));
        m_server = std::make_unique<AiosmtpdServer>(kScripts + QStringLiteral("/smtp_sink.py"),
                                                    QStringList{inbox()});
        ASSERT_NE(0, m_server->port()) << m_server->errors().toStdString();
        m_mailer.host = QStringLiteral("127.0.0.1");
        m_mailer.port = m_server->port();
        m_mailer.onSendError = [this](Mailer *, const QString &text) { m_errors.append(text); };
        m_mailer.from.address = QStringLiteral("dl1abc@example.org");
        m_mailer.recipients.add(QStringLiteral("dx0yz@example.net"));
        m_mailer.subject = QStringLiteral("QSL card attachment from dl1abc@example.org");
        m_mailer.body = QStringList{QStringLiteral("Tnx fer QSO, 73 de DL1ABC")};
    }

    QString inbox() const { return m_dir.filePath(QStringLiteral("inbox")); }
    QString message(int n) const { return inbox() + QStringLiteral("/message%1.eml").arg(n); }

    QTemporaryDir m_dir;
    std::unique_ptr<AiosmtpdServer> m_server;
    Mailer m_mailer;
    QStringList m_errors;
};

TEST_F(MailEndToEnd, CardReachesTheServerByteForByte)
{
    const QString card = m_dir.filePath(QStringLiteral("DX0YZ.jpg"));
    const QByteArray jpeg = writeJpeg(card, 320, 200);
    ASSERT_GT(jpeg.size(), 3 * 32768);
    m_mailer.attachments.setFileName(card);
    m_mailer.send();
    ASSERT_TRUE(m_errors.isEmpty()) << m_errors.join('|').toStdString();

    EXPECT_EQ(QByteArray("dl1abc@example.org\ndx0yz@example.net\n"),
              readFile(inbox() + QStringLiteral("/message1.envelope")));
    const QString text = QString::fromLatin1(readFile(message(1)));
    const QString head = text.left(text.indexOf(QStringLiteral("\r\n\r\n")));
    const QRegularExpression expectedHead(QStringLiteral(
        "^From: dl1abc@example.org\r\n"
        "Subject: QSL card attachment from dl1abc@example.org\r\n"
        "To: dx0yz@example.net\r\n"
        "Content-Type: multipart/mixed; boundary=\"=_NextPart_2rfkindysadvnqw3nerasdf\";\r\n"
        "MIME-Version: 1\\.0\r\n"
        "Date: (Mon|Tue|Wed|Thu|Fri|Sat|Sun), [1-9]\\d? "
        "(Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec) \\d{4} \\d\\d:\\d\\d:\\d\\d [+-]\\d{4}\r\n"
        "X-Priority: 3\r\n"
        "X-Library: Indy 8\\.0\\.22\r\n"
        "Message-ID: <[0-9a-z]+\\.[0-9a-z]+@example\\.org>$"));
    EXPECT_TRUE(expectedHead.match(head).hasMatch()) << head.toStdString();

    const QString layout = QStringLiteral(
        "\r\n\r\nThis is a multi-part message in MIME format\r\n\r\n"
        "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
        "Content-Type: text/plain\r\nContent-Transfer-Encoding: 7bit\r\n\r\n"
        "Tnx fer QSO, 73 de DL1ABC\r\n\r\n"
        "--=_NextPart_2rfkindysadvnqw3nerasdf\r\n"
        "Content-Type: application/octet-stream;\r\n        name=\"DX0YZ.jpg\"\r\n"
        "Content-Transfer-Encoding: base64\r\n"
        "Content-Disposition: attachment;\r\n        filename=\"DX0YZ.jpg\"\r\n\r\n");
    EXPECT_EQ(layout, text.mid(head.size(), layout.size()));
    EXPECT_TRUE(text.endsWith(QStringLiteral("\r\n\r\n--=_NextPart_2rfkindysadvnqw3nerasdf--\r\n")))
        << text.right(80).toStdString();

    const QStringList parts = parseWithPython(message(1), m_dir.filePath(QStringLiteral("decoded")));
    EXPECT_EQ((QStringList{"multipart/mixed - -", "text/plain - 27",
                           QStringLiteral("application/octet-stream DX0YZ.jpg %1").arg(jpeg.size())}),
              parts);
    EXPECT_EQ(jpeg, readFile(m_dir.filePath(QStringLiteral("decoded/DX0YZ.jpg"))));
}

TEST_F(MailEndToEnd, TwoSendsCarryOneCardEach)
{
    const QString first = m_dir.filePath(QStringLiteral("DX0YZ.jpg"));
    const QString second = m_dir.filePath(QStringLiteral("DX9AB.jpg"));
    const QByteArray firstJpeg = writeJpeg(first, 40, 30);
    const QByteArray secondJpeg = writeJpeg(second, 30, 40);
    for (const QString &card : {first, second}) {
        m_mailer.attachments.setAttachedFiles({});
        m_mailer.attachments.setFileName(card);
        m_mailer.send();
    }
    ASSERT_TRUE(m_errors.isEmpty()) << m_errors.join('|').toStdString();
    const QString decoded = m_dir.filePath(QStringLiteral("decoded"));
    for (int n : {1, 2}) {
        const QString name = n == 1 ? QStringLiteral("DX0YZ.jpg") : QStringLiteral("DX9AB.jpg");
        const QByteArray &jpeg = n == 1 ? firstJpeg : secondJpeg;
        EXPECT_EQ((QStringList{"multipart/mixed - -", "text/plain - 27",
                               QStringLiteral("application/octet-stream %1 %2").arg(name).arg(jpeg.size())}),
                  parseWithPython(message(n), decoded));
        EXPECT_EQ(jpeg, readFile(decoded + QLatin1Char('/') + name));
    }
}

} // namespace
