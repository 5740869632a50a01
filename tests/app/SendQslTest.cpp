#include "MainWindowFixture.h"

#include "AdifReader.h"
#include "AiosmtpdServer.h"
#include "SentJournal.h"
#include "FlatButton.h"
#include "ScriptedServer.h"
#include "features/SendQslController.h"

#include <QApplication>
#include <QComboBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTimer>
#include <QFocusEvent>

#include <memory>

namespace {

const QString kMailTests = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/mail");

// The main window with a card folder, saved card pictures and a contact info file, sending
// to a server the test starts.
class SendQsl : public MainWindowFixture
{
protected:
    QString cards;
    QTemporaryDir inbox;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        cards = dir.path() + "/cards/";
        QDir().mkpath(cards);
        writeFile(dataFile("lfile.qec"), (cards + "\r\n").toUtf8());
        start();
        form->control<QLineEdit>("EmailEdit1")->setText("dl1abc@example.org");
    }
    void settings(quint16 port, const QByteArray &extra = "\r\nnone\r\n")
    {
        writeFile(dataFile("smtp.onl"), "localhost\r\nyour user id\r\nyour password\r\n"
                                            + QByteArray::number(port) + extra);
    }
    QString contact(const QByteArray &email, const QByteArray &call)
    {
        const QString path = cards + "26_12_08_" + call + "_info.txt";
        writeFile(path, email + "\r\n" + call + "\r\n8.12.2026\r\n09:05\r\n14.074\r\nFT8\r\n100W\r\n-10\r\n");
        return path;
    }
    QByteArray picture(const QString &name, int size)
    {
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            bytes[i] = char((i * 131 + size) & 0xFF);
        writeFile(cards + name, bytes);
        return bytes;
    }
    void sendQsl(const QString &chosenFile)
    {
        dialogs.fileNames.push_back(chosenFile);
        emit form->control<FlatButton>("EncartaButton1")->clicked();
    }
    // The attachments of message n as Python's e-mail parser finds them: "name size" lines.
    QString received(int n)
    {
        const QString out = inbox.path() + "/out" + QString::number(n);
        QDir().mkpath(out);
        return runPython({kMailTests + "/decode_attachment.py", inbox.filePath(QString("message%1.eml").arg(n)), out});
    }
    QByteArray attachment(int n, const QString &name) { return readFile(inbox.path() + "/out" + QString::number(n) + "/" + name); }
};

struct PictureRow
{
    const char *name;
    bool jpg;
    bool gif;
    QString attached;   // empty: nothing may be sent
};

class SendQslPictures : public SendQsl, public ::testing::WithParamInterface<PictureRow>
{
};

TEST_P(SendQslPictures, TheCardOfTheLoadedCallSignGoesOut)
{
    const PictureRow &row = GetParam();
    AiosmtpdServer server(kMailTests + "/smtp_sink.py", {inbox.path()});
    ASSERT_NE(0, server.port());
    settings(server.port());
    QByteArray jpg, gif;
    if (row.jpg)
        jpg = picture("K1ABC.jpg", 40000);
    if (row.gif)
        gif = picture("K1ABC.gif", 20000);
    picture("OTHER.jpg", 10);
    sendQsl(contact("k1abc@example.net ", "K1ABC"));

    EXPECT_EQ("K1ABC", form->entryOverlay(QsoField::CallSign)->text());
    EXPECT_EQ("FT8", form->entryOverlay(QsoField::Mode)->text());
    if (row.attached.isEmpty()) {
        EXPECT_EQ(QStringList{"QSL card graphic file not found."}, dialogs.texts("warning"));
        EXPECT_FALSE(QFile::exists(inbox.filePath("message1.eml")));
        return;
    }
    EXPECT_EQ(QStringList(), dialogs.texts("warning"));
    const QString parts = received(1);
    EXPECT_TRUE(parts.contains("application/octet-stream " + row.attached)) << parts.toStdString();
    EXPECT_EQ(row.attached.endsWith(".jpg") ? jpg : gif, attachment(1, row.attached));
    EXPECT_EQ(QByteArray("dl1abc@example.org\nk1abc@example.net\n"), readFile(inbox.filePath("message1.envelope")));
}

const PictureRow kPictureRows[] = {
    {"JpgBeforeGif", true, true, "K1ABC.jpg"},
    {"GifWhenNoJpg", false, true, "K1ABC.gif"},
    {"NoPicture", false, false, {}},
};

INSTANTIATE_TEST_SUITE_P(Pictures, SendQslPictures, ::testing::ValuesIn(kPictureRows),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(SendQsl, TwoSendsCarryOneCardEach)
{
    AiosmtpdServer server(kMailTests + "/smtp_sink.py", {inbox.path()});
    settings(server.port());
    const QByteArray first = picture("K1ABC.jpg", 3000);
    const QByteArray second = picture("DL2XYZ.jpg", 5000);
    sendQsl(contact("k1abc@example.net", "K1ABC"));
    sendQsl(contact("dl2xyz@example.net", "DL2XYZ"));
    EXPECT_EQ(QStringList(), dialogs.texts("warning"));
    const QStringList one = received(1).trimmed().split('\n');
    const QStringList two = received(2).trimmed().split('\n');
    EXPECT_EQ(QStringList{"application/octet-stream K1ABC.jpg 3000"}, one.filter("octet-stream"));
    EXPECT_EQ(QStringList{"application/octet-stream DL2XYZ.jpg 5000"}, two.filter("octet-stream"));
    EXPECT_EQ(first, attachment(1, "K1ABC.jpg"));
    EXPECT_EQ(second, attachment(2, "DL2XYZ.jpg"));

    // Each card that went out has its record in the sent journal, with its message's id.
    const QByteArray journal = readFile(dataFile("Sent.adi"));
    const AdifLog log = readAdifLog(journal);
    ASSERT_EQ(size_t(2), log.records.size()) << journal.toStdString();
    const char *calls[] = {"K1ABC", "DL2XYZ"};
    for (int i = 0; i < 2; ++i) {
        const AdifRecord &r = log.records[size_t(i)];
        EXPECT_EQ(calls[i], r.value(AdifField::Call));
        EXPECT_EQ("20260812", r.value(AdifField::QsoDate));
        EXPECT_EQ("0905", r.value(AdifField::TimeOn));
        EXPECT_EQ("14.074", r.value(AdifField::Freq));
        EXPECT_EQ("FT8", r.value(AdifField::Mode));
        EXPECT_EQ(QString(calls[i]).toLower() + "@example.net", r.value(AdifField::Email));
    }
    const qsizetype id = journal.indexOf("<APP_KARTELLO_MSGID:");
    ASSERT_GE(id, 0);
    const QByteArray rest = journal.mid(journal.indexOf('>', id) + 1);
    const QByteArray messageId = rest.left(rest.indexOf(' '));
    EXPECT_TRUE(readFile(inbox.filePath("message1.eml")).contains("\r\nMessage-ID: " + messageId + "\r\n"))
        << messageId.toStdString();
    // The window says where the last card went.
    EXPECT_EQ(QStringLiteral("Kartello - Card sent to dl2xyz@example.net"), form->windowTitle());
}

// While another Kartello (kartello send, Send Selected) holds the journal, Send QSL sends
// nothing and says why; the QSO stays on the card.
TEST_F(SendQsl, JournalInUseSendsNothing)
{
    AiosmtpdServer server(kMailTests + "/smtp_sink.py", {inbox.path()});
    settings(server.port());
    picture("K1ABC.jpg", 3000);
    SentJournal other(dataFile("Sent.adi"));
    other.open();
    sendQsl(contact("k1abc@example.net", "K1ABC"));
    EXPECT_EQ(QStringList{"The card was not sent: " + dataFile("Sent.adi")
                          + " is in use by another Kartello that is sending cards."},
              dialogs.texts("warning"));
    EXPECT_FALSE(QFile::exists(inbox.filePath("message1.eml"))) << "a card went out unrecorded";
    EXPECT_EQ(QStringLiteral("K1ABC"), form->entryOverlay(card::QsoField::CallSign)->text());
    EXPECT_EQ(QStringLiteral("Kartello"), form->windowTitle());
}

// The operator's mail template gives the card's subject and text; one that cannot be read
// stops the card with a warning that names it.
TEST_F(SendQsl, MailTemplateGivesTheText)
{
    AiosmtpdServer server(kMailTests + "/smtp_sink.py", {inbox.path()});
    ASSERT_NE(0, server.port());
    settings(server.port());
    picture("K1ABC.jpg", 3000);
    form->control<QLineEdit>("CallSignEdit1")->setText("N0CALL");
    QDir().mkpath(dataFile("QslMail.txt"));
    sendQsl(contact("k1abc@example.net", "K1ABC"));
    EXPECT_EQ(QStringList{"The card was not sent: The mail template " + dataFile("QslMail.txt")
                          + " cannot be read: it is a folder"},
              dialogs.texts("warning"));
    EXPECT_FALSE(QFile::exists(inbox.filePath("message1.eml")));

    QDir().rmdir(dataFile("QslMail.txt"));
    writeFile(dataFile("QslMail.txt"), "QSL {CALL} de {MYCALL}: {QSOCOUNT}\r\n\r\n{QSOS}\r\n73\r\n");
    sendQsl(contact("k1abc@example.net", "K1ABC"));
    const QStringList fields =
        runPython({KARTELLO_SOURCE_DIR "/tests/sending/decode_inbox.py", inbox.path(), "--text"}).trimmed().split('\t');
    ASSERT_EQ(9, fields.size()) << fields.join('|').toStdString();
    EXPECT_EQ("QSL K1ABC de N0CALL: 1 QSO", fields[5]);
    EXPECT_EQ("2026-08-12 09:05 UTC, 20m, FT8, RST -10|73", fields[7]);
    EXPECT_EQ("K1ABC.jpg", fields[8]);
}

struct FailureRow
{
    const char *name;
    bool settingsFile;
    QByteArray email;
    std::vector<ScriptedServer::Step> script;
    QStringList warnings;
};

class SendQslFailures : public SendQsl, public ::testing::WithParamInterface<FailureRow>
{
};

TEST_P(SendQslFailures, FailureShowsItsWarnings)
{
    const FailureRow &row = GetParam();
    std::unique_ptr<ScriptedServer> server;
    if (!row.script.empty())
        server = std::make_unique<ScriptedServer>(row.script);
    if (row.settingsFile)
        settings(server ? server->port() : unusedPort());
    else
        QFile::remove(dataFile("smtp.onl"));
    picture("K1ABC.jpg", 100);
    const QString info = contact(row.email, "K1ABC");
    if (row.settingsFile)
        sendQsl(info);
    else
        emit form->control<FlatButton>("EncartaButton1")->clicked();
    EXPECT_EQ(row.warnings, dialogs.texts("warning"));
    EXPECT_EQ(QStringList(), dialogs.texts("error"));
    EXPECT_FALSE(readFile(dataFile("Sent.adi")).contains("<EOR>")) << "a card that did not go out was recorded";
}

using S = ScriptedServer;

const FailureRow kFailureRows[] = {
    {"SettingsFileMissing", false, "k1abc@example.net", {}, {"ISP file is missing.  Reinstall program."}},
    {"NoAddressInTheFile", true, "Contact's Email", {}, {"Invalid recipient email addess."}},
    {"RecipientRefused", true, "k1abc@example.net",
     script({{S::send("220 x\r\n")}, S::answer("250 hi\r\n"), S::answer("250 reset\r\n"),
             S::answer("250 ok\r\n"), S::answer("550 5.1.1 no such user\r\n")}),
     {"An error -550 5.1.1 no such user was detected upon trying to send the email."}},
};

INSTANTIATE_TEST_SUITE_P(Failures, SendQslFailures, ::testing::ValuesIn(kFailureRows),
                         [](const auto &info) { return std::string(info.param.name); });

// The open dialog starts in the card folder with the contact files' filter, and its memory
// keeps the chosen file for the state file.
TEST_F(SendQsl, OpenDialogRemembersTheChosenContactFile)
{
    AiosmtpdServer server(kMailTests + "/smtp_sink.py", {inbox.path()});
    settings(server.port());
    picture("K1ABC.jpg", 10);
    const QString info = contact("k1abc@example.net", "K1ABC");
    sendQsl(info);
    EXPECT_EQ(cards, dialogs.lastInitialDir);
    EXPECT_EQ("TXT Files (*.txt)", dialogs.lastFilter);
    EXPECT_EQ(info, form->control<FileDialogMemory>("OpenDialog1")->fileName());
}

// A contact file cut short keeps the fields read before the missing line and sends nothing.
TEST_F(SendQsl, ShortContactFileIsTheGeneralErrorReport)
{
    settings(unusedPort());
    const QString path = cards + "short_info.txt";
    writeFile(path, "k1abc@example.net\r\nK1ABC\r\n8.12.2026\r\n");
    sendQsl(path);
    EXPECT_EQ(QStringList{"List index out of bounds (3)"}, dialogs.texts("error"));
    EXPECT_EQ("8.12.2026", form->entryOverlay(QsoField::UtcDate)->text());
    EXPECT_EQ(QStringList(), dialogs.texts("warning"));
}

TEST_F(SendQsl, CancelledFileDialogChangesNothing)
{
    settings(unusedPort());
    form->entryOverlay(QsoField::CallSign)->setText("W1AW");
    sendQsl(QString());
    EXPECT_EQ("W1AW", form->entryOverlay(QsoField::CallSign)->text());
    EXPECT_EQ(QStringList(), dialogs.texts("warning"));
}

// A server that accepts and never answers: the modal box's Cancel ends the session at once,
// nothing is reported, the QSO stays on screen.
TEST_F(SendQsl, CancelEndsASilentSession)
{
    ScriptedServer server({});
    settings(server.port());
    picture("K1ABC.jpg", 100);
    bool boxSeen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *box = form->findChild<QProgressDialog *>("SendingBox");
        if (box && box->isVisible() && !boxSeen) {
            boxSeen = true;
            EXPECT_EQ(box, QApplication::activeModalWidget());
            EXPECT_EQ("Sending the card to k1abc@example.net ...", box->labelText());
            box->findChild<QPushButton *>()->click();
        }
    });
    poll.start(20);
    sendQsl(contact("k1abc@example.net", "K1ABC"));
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(QStringList(), dialogs.texts("warning"));
    EXPECT_EQ("K1ABC", form->entryOverlay(QsoField::CallSign)->text());
    EXPECT_EQ("", server.received());   // not even "Quit"
}

TEST_F(SendQsl, SettingsPanelReadsAndWritesSixLinesOwnerOnly)
{
    writeFile(dataFile("smtp.onl"), "smtp.example.com\r\nop@example.org\r\nsecret\r\n");
    emit form->control<FlatButton>("EncartaButton2")->clicked();
    EXPECT_FALSE(form->control("Panel29")->isHidden());
    EXPECT_EQ("smtp.example.com", form->control<QLineEdit>("umEdit1")->text());
    EXPECT_EQ("25", form->control<QLineEdit>("SmtpPortEdit")->text());
    EXPECT_EQ("none", form->control<QComboBox>("SmtpSecurityBox")->currentText());
    EXPECT_EQ("20", form->control<QLineEdit>("SmtpPaceEdit")->text());
    EXPECT_EQ(QLineEdit::Password, form->control<QLineEdit>("umEdit3")->echoMode());
    form->control<QLineEdit>("SmtpPortEdit")->setText("587");
    form->control<QComboBox>("SmtpSecurityBox")->setCurrentText("starttls");
    // A pace no run could keep is refused with the panel open and the file as it was.
    form->control<QLineEdit>("SmtpPaceEdit")->setText("0");
    emit form->control<FlatButton>("SmtpInfoButton2")->clicked();
    EXPECT_FALSE(form->control("Panel29")->isHidden());
    EXPECT_EQ(QByteArray("smtp.example.com\r\nop@example.org\r\nsecret\r\n"), readFile(dataFile("smtp.onl")));
    form->control<QLineEdit>("SmtpPaceEdit")->setText("30");
    emit form->control<FlatButton>("SmtpInfoButton2")->clicked();
    EXPECT_TRUE(form->control("Panel29")->isHidden());
    EXPECT_EQ(QByteArray("smtp.example.com\r\nop@example.org\r\nsecret\r\n587\r\nstarttls\r\n30\r\n"),
              readFile(dataFile("smtp.onl")));
    emit form->control<FlatButton>("EncartaButton2")->clicked();
    EXPECT_EQ("30", form->control<QLineEdit>("SmtpPaceEdit")->text());
    EXPECT_EQ(QFileDevice::ReadOwner | QFileDevice::WriteOwner,
              QFile::permissions(dataFile("smtp.onl")) & ~(QFileDevice::ReadUser | QFileDevice::WriteUser));
}

// The port and security rows sit below the original rows, inside the grown panel, and
// cover none of them nor each other (the original edits touch each other by one pixel).
TEST_F(SendQsl, SettingsRowsFitThePanelWithoutOverlap)
{
    QWidget *panel = form->control("Panel29");
    const QStringList names = {"Label30", "Label31", "Label32", "umEdit1", "umEdit2", "umEdit3",
                               "SmtpInfoButton2", "SmtpPortLabel", "SmtpSecurityLabel",
                               "SmtpPortEdit", "SmtpSecurityBox", "SmtpPaceLabel", "SmtpPaceEdit",
                               "SmtpCancelButton", "SmtpTestButton"};
    for (const QString &name : names) {
        QWidget *w = form->control(name);
        ASSERT_NE(nullptr, w) << name.toStdString();
        EXPECT_EQ(panel, w->parentWidget()) << name.toStdString();
        EXPECT_TRUE(QRect(QPoint(), panel->size()).contains(w->geometry())) << name.toStdString();
        for (const QString &other : names)
            if (other != name && (name.startsWith("Smtp") || other.startsWith("Smtp")))
                EXPECT_FALSE(w->geometry().intersects(form->control(other)->geometry()))
                    << name.toStdString() << " / " << other.toStdString();
    }
    EXPECT_EQ(QStringList({"none", "starttls", "tls"}),
              [&] {
                  QStringList items;
                  auto *box = form->control<QComboBox>("SmtpSecurityBox");
                  for (int i = 0; i < box->count(); ++i)
                      items << box->itemText(i);
                  return items;
              }());
}

TEST_F(SendQsl, PasswordShowsOnlyWhileEdited)
{
    auto *password = form->control<QLineEdit>("umEdit3");
    emit form->control<FlatButton>("EncartaButton2")->clicked();
    EXPECT_EQ(QLineEdit::Password, password->echoMode());
    QFocusEvent in(QEvent::FocusIn, Qt::MouseFocusReason);
    QApplication::sendEvent(password, &in);
    EXPECT_EQ(QLineEdit::Normal, password->echoMode());
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(password, &out);
    EXPECT_EQ(QLineEdit::Password, password->echoMode());
}

} // namespace
