#include "SocketLayer.h"
#include "ScriptedServer.h"
#include "Mailer.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

using S = ScriptedServer;
using Lines = std::vector<std::string>;

TEST(AttachmentList, ListsEachFileOnceWhateverItsLetterCase)
{
    struct Row
    {
        QStringList names;
        QStringList attached;
    };
    const Row rows[] = {
        {{"/q/DL1ABC.jpg"}, {"/q/DL1ABC.jpg"}},
        {{"/q/DL1ABC.jpg", "/q/DL1ABC.jpg"}, {"/q/DL1ABC.jpg"}},
        {{"/q/DL1ABC.jpg", "/Q/dl1abc.JPG"}, {"/q/DL1ABC.jpg"}},
        {{"/q/a.jpg", "", "/q/b.jpg", "/q/A.jpg"}, {"/q/a.jpg", "/q/b.jpg"}},
        {{""}, {}},
    };
    for (const Row &row : rows) {
        AttachmentList attachments;
        for (const QString &name : row.names)
            attachments.setFileName(name);
        EXPECT_EQ(row.attached, attachments.attachedFiles()) << row.names.join('|').toStdString();
    }
}

TEST(Mailer, StartsEmptyAndSharesItsListsWithTheMessage)
{
    Mailer mailer;
    EXPECT_TRUE(mailer.html);
    EXPECT_EQ(25, mailer.port);
    EXPECT_EQ(25, mailer.smtp().port);
    EXPECT_EQ(SmtpSecurity::None, mailer.security);
    EXPECT_FALSE(mailer.smtp().useNagle);   // writes are gathered, so no delayed-ACK stalls
    EXPECT_EQ(SmtpClient::Authentication::None, mailer.smtp().authentication);
    mailer.recipients.add(QStringLiteral("dx@example.net"));
    mailer.bccList.add(QStringLiteral("log@example.org"));
    mailer.from.address = QStringLiteral("op@example.org");
    EXPECT_EQ(1, mailer.message().recipients.count());
    EXPECT_EQ(QStringLiteral("log@example.org"), mailer.message().bccList[0].address);
    EXPECT_EQ(QStringLiteral("op@example.org"), mailer.message().from.address);
}

// A mailer that records its events, pointed at a local port.
struct RecordingMailer
{
    Mailer mailer;
    QStringList errors;
    int connects = 0;
    int disconnects = 0;

    explicit RecordingMailer(quint16 port, bool withErrorEvent = true)
    {
        mailer.host = QStringLiteral("127.0.0.1");
        mailer.port = port;
        mailer.smtp().readTimeoutMs = 20000;
        mailer.from.address = QStringLiteral("op@example.org");
        mailer.recipients.add(QStringLiteral("dx@example.net"));
        mailer.subject = QStringLiteral("QSL card attachment from op@example.org");
        mailer.body = QStringList{QStringLiteral("Hello")};
        if (withErrorEvent)
            mailer.onSendError = [this](Mailer *sender, const QString &text) {
                EXPECT_EQ(&mailer, sender);
                errors.append(text);
            };
        mailer.onConnected = [this](Mailer *) { ++connects; };
        mailer.onDisconnected = [this](Mailer *) { ++disconnects; };
    }
};

std::vector<S::Step> acceptedUpToData()
{
    return script({{S::send("220 test\r\n")}, S::answer("250 hi\r\n"), S::answer("250 reset\r\n"),
                   S::answer("250 ok\r\n"), S::answer("250 ok\r\n"), S::answer("354 go\r\n")});
}

TEST(Mailer, RefusedGreetingReachesTheErrorEventAfterQuit)
{
    ScriptedServer server({S::send("554 no service today\r\n")});
    RecordingMailer rec(server.port());
    rec.mailer.send();
    EXPECT_EQ(QStringList{"554 no service today"}, rec.errors);
    EXPECT_EQ(Lines{"Quit"}, server.receivedLines());
    EXPECT_EQ(1, rec.connects);
    EXPECT_EQ(1, rec.disconnects);
    EXPECT_FALSE(rec.mailer.smtp().connected());
}

TEST(Mailer, FailureWithoutErrorEventIsSilentAndCloses)
{
    ScriptedServer server({S::send("220 test\r\n"), S::readLine(), S::close()});
    RecordingMailer rec(server.port(), false);
    EXPECT_NO_THROW(rec.mailer.send());
    EXPECT_EQ(1, rec.disconnects);
    EXPECT_FALSE(rec.mailer.smtp().connected());
}

TEST(Mailer, RefusedConnectionGivesTheSocketErrorText)
{
    RecordingMailer rec(unusedPort());
    rec.mailer.send();
    EXPECT_EQ(QStringList{"Socket Error # 10061\r\nConnection refused."}, rec.errors);
    EXPECT_EQ(0, rec.connects);
}

TEST(Mailer, MissingAttachmentFailsInsideDataAndTheServerGetsNoEnd)
{
    ScriptedServer server(acceptedUpToData());
    RecordingMailer rec(server.port());
    rec.mailer.attachments.setFileName(QStringLiteral("/nonexistent/DX1XX.jpg"));
    rec.mailer.send();
    EXPECT_EQ(QStringList{"Cannot open file /nonexistent/DX1XX.jpg"}, rec.errors);
    const Lines lines = server.receivedLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("Quit", lines.back());
    EXPECT_EQ(lines.end(), std::find(lines.begin(), lines.end(), "."));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Data"));
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Hello"));
    EXPECT_EQ(1, rec.disconnects);
}

// Line breaks or NUL in any address or in the subject stop the send before a connection is
// even attempted: nothing of such a send can reach a server.
TEST(Mailer, LineBreaksInAddressesOrSubjectNeverReachTheServer)
{
    struct Row
    {
        const char *name;
        std::function<void(Mailer &)> spoil;
        QString error;
    };
    const Row rows[] = {
        {"Subject", [](Mailer &m) { m.subject = QStringLiteral("QSL\r\nBcc: victim@example.com"); },
         "The subject \"QSL<CR><LF>Bcc: victim@example.com\" holds a line break or NUL character; "
         "nothing was sent."},
        {"Sender", [](Mailer &m) { m.from.address = QStringLiteral("op@x\nRCPT to:<v@x>"); },
         "The sender address \"op@x<LF>RCPT to:<v@x>\" holds a line break or NUL character; "
         "nothing was sent."},
        {"Recipient", [](Mailer &m) { m.recipients[0].address = QStringLiteral("dx@x\r"); },
         "The recipient address \"dx@x<CR>\" holds a line break or NUL character; nothing was sent."},
        {"Bcc", [](Mailer &m) { m.bccList.add(QString::fromLatin1("b@x\0y", 5)); },
         "The Bcc address \"b@x<NUL>y\" holds a line break or NUL character; nothing was sent."},
    };
    for (const Row &row : rows) {
        // A refused port: had the send gone on, its text would be the socket error instead.
        RecordingMailer rec(unusedPort());
        row.spoil(rec.mailer);
        rec.mailer.send();
        EXPECT_EQ(QStringList{row.error}, rec.errors) << row.name;
        EXPECT_EQ(0, rec.connects) << row.name;
    }
}

TEST(Mailer, PlainSinglePartWhenNoAttachmentAndHtmlOff)
{
    ScriptedServer server(script({acceptedUpToData(), {S::readData(), S::send("250 ok\r\n")}}));
    RecordingMailer rec(server.port());
    rec.mailer.html = false;
    rec.mailer.send();
    EXPECT_TRUE(rec.errors.isEmpty()) << rec.errors.join('|').toStdString();
    const Lines lines = server.receivedLines();
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(), "Content-Type: text/plain;"));
    EXPECT_EQ((Lines{".", "Quit"}), Lines(lines.end() - 2, lines.end()));
}

} // namespace
