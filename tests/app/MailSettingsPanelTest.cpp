#include "MainWindowFixture.h"

#include "AiosmtpdServer.h"
#include "FlatButton.h"
#include "QtPrinters.h"
#include "TestCertificates.h"

#include <QApplication>
#include <QComboBox>
#include <QTcpServer>
#include <QtTest/QTest>

namespace {

const QString kMailScripts = QStringLiteral(KARTELLO_SOURCE_DIR "/tests/mail");
const auto *const kCertificates = ::testing::AddGlobalTestEnvironment(new TestCertificates(kMailScripts));

// The main window shown and active, the mail settings panel opened as an operator opens it.
class MailPanel : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        writeFile(dataFile("smtp.onl"), "smtp.example.com\r\nop@example.org\r\nsecret\r\n");
        start();
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        form->entryOverlay(QsoField::CallSign)->setText("DL1ABC");
        form->entryOverlay(QsoField::CallSign)->setFocus();
    }
    void openPanel() { emit form->control<FlatButton>("EncartaButton2")->clicked(); }
    QString focused() const
    {
        QWidget *w = QApplication::focusWidget();
        return w ? w->objectName() : QStringLiteral("(none)");
    }
    void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
    }
    QLineEdit *edit(const char *name) const { return form->control<QLineEdit>(name); }
    // Presses Tab until name has the focus, a round of the panel at most; false when it never does.
    bool tabTo(const QString &name)
    {
        for (int i = 0; i < 12 && focused() != name; ++i)
            press(Qt::Key_Tab);
        return focused() == name;
    }
};

// What is typed into a panel just opened goes into its host box, never onto the card.
TEST_F(MailPanel, TypingAfterOpeningFillsTheHostBox)
{
    openPanel();
    EXPECT_EQ("umEdit1", focused());
    QTest::keyClicks(QApplication::focusWidget(), "smtp.gmail.com");
    EXPECT_EQ("smtp.gmail.com", edit("umEdit1")->text());
    EXPECT_EQ("DL1ABC", form->entryOverlay(QsoField::CallSign)->text());
}

// Tab and Shift+Tab run round the panel's boxes and its three buttons, and never reach the
// card beneath it.
TEST_F(MailPanel, TabRunsRoundThePanelThroughItsButtons)
{
    const QStringList ring = {"umEdit1",      "umEdit2",         "umEdit3",
                              "SmtpPortEdit", "SmtpSecurityBox", "SmtpPaceEdit",
                              "SmtpInfoButton2", "SmtpCancelButton", "SmtpTestButton"};
    openPanel();
    for (int i = 1; i <= 2 * ring.size(); ++i) {
        press(Qt::Key_Tab);
        EXPECT_EQ(ring.at(i % ring.size()), focused()) << i;
    }
    for (int i = 1; i <= ring.size() + 1; ++i) {
        press(Qt::Key_Backtab, Qt::ShiftModifier);
        EXPECT_EQ(ring.at((10 * ring.size() - i) % ring.size()), focused()) << i;
    }
}

// OK is reached by the keyboard and pressed with Space: the settings are saved, the panel
// closes and the keyboard is back on the call sign. Cancel saves nothing.
TEST_F(MailPanel, KeyboardReachesOkAndCancel)
{
    openPanel();
    QTest::keyClicks(QApplication::focusWidget(), "smtp.gmail.com");
    ASSERT_TRUE(tabTo("SmtpCancelButton"));
    press(Qt::Key_Space);
    EXPECT_TRUE(form->control("Panel29")->isHidden());
    EXPECT_EQ("ContactCallSign", focused());
    EXPECT_EQ(QByteArray("smtp.example.com\r\nop@example.org\r\nsecret\r\n"), readFile(dataFile("smtp.onl")));

    openPanel();
    QTest::keyClicks(QApplication::focusWidget(), "smtp.gmail.com");
    ASSERT_TRUE(tabTo("SmtpInfoButton2"));
    press(Qt::Key_Space);
    EXPECT_TRUE(form->control("Panel29")->isHidden());
    EXPECT_EQ("ContactCallSign", focused());
    EXPECT_TRUE(readFile(dataFile("smtp.onl")).startsWith("smtp.gmail.com\r\nop@example.org\r\n"));
}

// The window coming back to the front leaves the keyboard in the open panel.
TEST_F(MailPanel, ActivationKeepsTheKeyboardInTheOpenPanel)
{
    openPanel();
    press(Qt::Key_Tab);
    form->onActivated();
    EXPECT_EQ("umEdit2", focused());
}

// Choosing a security with the keyboard moves a port still at a usual value to that
// security's port; a port of the operator's own stays.
TEST_F(MailPanel, SecurityChoiceMovesTheUsualPort)
{
    openPanel();
    ASSERT_TRUE(tabTo("SmtpSecurityBox"));
    press(Qt::Key_Down);
    EXPECT_EQ("starttls", form->control<QComboBox>("SmtpSecurityBox")->currentText());
    EXPECT_EQ("587", edit("SmtpPortEdit")->text());
    press(Qt::Key_Down);
    EXPECT_EQ("465", edit("SmtpPortEdit")->text());
    edit("SmtpPortEdit")->setText("2525");
    press(Qt::Key_Up);
    EXPECT_EQ("starttls", form->control<QComboBox>("SmtpSecurityBox")->currentText());
    EXPECT_EQ("2525", edit("SmtpPortEdit")->text());
}

// Every box shows its border and tells what goes into it.
TEST_F(MailPanel, BoxesHaveBordersAndTips)
{
    for (const char *name : {"umEdit1", "umEdit2", "umEdit3", "SmtpPortEdit", "SmtpPaceEdit"})
        EXPECT_TRUE(edit(name)->hasFrame()) << name;
    for (const char *name : {"umEdit1", "umEdit2", "umEdit3", "SmtpPortEdit", "SmtpSecurityBox",
                             "SmtpPaceEdit", "SmtpInfoButton2", "SmtpCancelButton", "SmtpTestButton"})
        EXPECT_FALSE(form->control(name)->toolTip().isEmpty()) << name;
    EXPECT_TRUE(form->control("SmtpPortEdit")->toolTip().contains("587 with starttls"));
}

// Test against a real server: it connects and logs in as the boxes say, sends nothing, and
// tells what it found.
struct TestButtonRow {
    const char *name;
    const char *serverMode;   // smtp_tls_server.py's mode; "" the plain sink; "closed" none
    const char *security;
    const char *password;
    const char *kind;         // "information" or "warning"
    const char *text;         // %1 stands for 127.0.0.1:port
};

void PrintTo(const TestButtonRow &row, std::ostream *os) { *os << row.name; }

class MailPanelTestButton : public MailPanel, public ::testing::WithParamInterface<TestButtonRow>
{
};

TEST_P(MailPanelTestButton, ConnectsLogsInAndSendsNothing)
{
    const TestButtonRow &row = GetParam();
    QTemporaryDir inbox;
    std::unique_ptr<AiosmtpdServer> server;
    quint16 port = 0;
    const QString mode = QString::fromLatin1(row.serverMode);
    if (mode == "closed") {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
        port = probe.serverPort();
    } else {
        const QString cert = TestCertificates::path("localhost");
        server = mode.isEmpty()
                     ? std::make_unique<AiosmtpdServer>(kMailScripts + "/smtp_sink.py", QStringList{inbox.path()})
                     : std::make_unique<AiosmtpdServer>(kMailScripts + "/smtp_tls_server.py",
                                                        QStringList{inbox.path(), mode, cert + ".pem", cert + ".key"});
        port = server->port();
        ASSERT_NE(0, port) << server->errors().toStdString();
    }
    openPanel();
    edit("umEdit1")->setText("127.0.0.1");
    edit("umEdit2")->setText("dl1abc");
    edit("umEdit3")->setText(QString::fromLatin1(row.password));
    edit("SmtpPortEdit")->setText(QString::number(port));
    form->control<QComboBox>("SmtpSecurityBox")->setCurrentText(QString::fromLatin1(row.security));
    ASSERT_TRUE(tabTo("SmtpTestButton"));
    press(Qt::Key_Return);
    const QString server_ = QStringLiteral("127.0.0.1:%1").arg(port);
    const QStringList texts = dialogs.texts(QString::fromLatin1(row.kind));
    ASSERT_EQ(1, texts.size()) << dialogs.shown.size();
    EXPECT_TRUE(texts.at(0).startsWith(QString::fromUtf8(row.text).arg(server_))) << texts.at(0).toStdString();
    EXPECT_EQ(QStringList(), QDir(inbox.path()).entryList({"*.eml"}));
    EXPECT_FALSE(form->control("Panel29")->isHidden());
    // The keyboard is back on Test once the window is active again after the boxes.
    form->onActivated();
    EXPECT_EQ("SmtpTestButton", form->focusWidget()->objectName());
    EXPECT_EQ(QByteArray("smtp.example.com\r\nop@example.org\r\nsecret\r\n"), readFile(dataFile("smtp.onl")));
}

INSTANTIATE_TEST_SUITE_P(
    Servers, MailPanelTestButton,
    ::testing::Values(
        TestButtonRow{"TlsLogin", "tls", "tls", "app-pw-73", "information",
                      "The mail server %1 took the connection and the login. No message was sent."},
        TestButtonRow{"StartTlsLogin", "starttls", "starttls", "app-pw-73", "information",
                      "The mail server %1 took the connection and the login. No message was sent."},
        TestButtonRow{"WrongPassword", "tls", "tls", "wrong", "warning",
                      "The test of the mail server %1 failed: "},
        TestButtonRow{"PlainServer", "", "none", "app-pw-73", "information",
                      "The mail server %1 took the connection. Without security no login is tried. "
                      "No message was sent."},
        TestButtonRow{"NoServer", "closed", "none", "", "warning", "The test of the mail server %1 failed: "}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
