#include "MessageCapture.h"
#include "ScriptedServer.h"
#include "MessageClient.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTimeZone>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// The message goes over a real loopback connection, the attachment large enough to need
// several 32768-byte blocks; the server must receive exactly what the writer produces.
TEST(MessageClient, WritesTheMessageOntoTheConnection)
{
    QTemporaryDir dir;
    QByteArray picture(100003, Qt::Uninitialized);
    QRandomGenerator rng(7);
    for (char &c : picture)
        c = char(rng.bounded(256));
    const QString path = dir.filePath(QStringLiteral("K1ABC.jpg"));
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(picture);
    }
    auto compose = [&](MailMessage &m) {
        m.Clock = [] { return QDateTime(QDate(2026, 12, 7), QTime(23, 49, 32), QTimeZone(3600)); };
        m.From.Address = QStringLiteral("op@example.org");
        m.Recipients.add(QStringLiteral("dx@example.net"));
        m.Subject = QStringLiteral("QSL card attachment from op@example.org");
        m.Body = QStringList{QStringLiteral(".")};
        m.MessageId = QStringLiteral("<kq3.x7@example.org>");
        m.MessageParts.addAttachment(path);
    };

    MailMessage expectedMessage;
    compose(expectedMessage);
    MessageCapture expected;
    MessageWriter(expected).SendMsg(expectedMessage);

    ScriptedServer server({});
    MessageClient client;
    client.Host = QStringLiteral("127.0.0.1");
    client.Port = server.port();
    client.connect();
    MailMessage m;
    compose(m);
    client.SendMsg(m);
    client.disconnect();
    const QByteArray got = QByteArray::fromStdString(server.received());
    EXPECT_EQ(got.size(), expected.bytes.size());
    EXPECT_TRUE(got == expected.bytes);

    // The attachment's base64 lines decode to the picture, byte for byte.
    const int start = got.indexOf("filename=\"K1ABC.jpg\"\r\n\r\n") + 24;
    const int end = got.indexOf("\r\n\r\n--=_NextPart_2rfkindysadvnqw3nerasdf--");
    const QList<QByteArray> lines = got.mid(start, end - start).split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), 77) << i;   // 76 characters and the CR
    EXPECT_EQ(QByteArray::fromBase64(got.mid(start, end - start)), picture);
    EXPECT_TRUE(got.contains("Content-Transfer-Encoding: 7bit\r\n\r\n..\r\n"));
}

} // namespace
