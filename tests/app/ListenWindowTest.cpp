// Listen in the window: QSOs logged by a digital-mode program fill the QSO fields as typing
// them would, wait while a dialog is open, and the choice is remembered in Kartello.ini.
#include "AiosmtpdServer.h"
#include "ListenWindowFixture.h"
#include "ProtocolSender.h"
#include "features/ListenController.h"
#include "WindowListening.h"

#include "IniFile.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QAction>
#include <QDialog>
#include <QPushButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "QtPrinters.h"

namespace {

TEST_F(ListenWindow, IsOffUnlessRemembered)
{
    start();
    setUpListening(*form);
    EXPECT_FALSE(form->listen().isListening());
    EXPECT_EQ(title(), QStringLiteral("Kartello"));
}

TEST_F(ListenWindow, ShowsWhereItListensAndTheLastQso)
{
    startListening(true);
    ASSERT_TRUE(form->listen().isListening()) << form->listen().errorString().toStdString();
    EXPECT_EQ(title(), QStringLiteral("Kartello - Listening on 224.0.0.1:%1").arg(port));
    const QsoLoggedFields qso = sampleQso(4);
    send(loggedAdifDatagram(qso.id, loggedAdifText(qso)));
    ASSERT_TRUE(runUntil([&] { return !field(QsoField::CallSign).isEmpty(); }));
    EXPECT_EQ(title(), QStringLiteral("Kartello - Listening on 224.0.0.1:%1, last QSO K4AB 12.8.2026 14:04").arg(port));
}

// The choice made in the window is kept in Kartello.ini, survives the window's own writing of
// the state file, and a window started later listens as it says.
TEST_F(ListenWindow, ChoiceIsRememberedAcrossRuns)
{
    start();
    setUpListening(*form);
    const auto actions = form->actions();
    ASSERT_TRUE(std::any_of(actions.cbegin(), actions.cend(), [](const QAction *a) {
        return a->objectName() == QLatin1String("ListenChoice") && a->text() == QLatin1String("Listen...");
    }));
    ListenSettings chosen;
    chosen.enabled = true;
    chosen.address.port = freeUdpPort();
    chosen.sendCards = true;
    ASSERT_TRUE(applyListenChoice(*form, chosen));
    EXPECT_TRUE(form->listen().isListening());
    closeAndDestroy();

    start();
    setUpListening(*form);
    EXPECT_TRUE(form->listen().isListening());
    EXPECT_EQ(form->listen().localPort(), chosen.address.port);
    chosen.enabled = false;
    applyListenChoice(*form, chosen);
    EXPECT_FALSE(form->listen().isListening());
    EXPECT_EQ(title(), QStringLiteral("Kartello"));
    closeAndDestroy();
    IniFile state(stateFile());
    state.load();
    EXPECT_EQ(state.value("Listen", "Enabled"), QStringLiteral("FALSE"));
    EXPECT_EQ(state.value("Listen", "Address"), QStringLiteral("127.0.0.1:%1").arg(chosen.address.port));
    EXPECT_EQ(state.value("Listen", "SendCards"), QStringLiteral("TRUE"));
    EXPECT_EQ(state.value("Listen", "SaveCards"), QStringLiteral("FALSE"));
}

struct DialogCase
{
    const char *name;
    QString address;
    bool ok;
    QString hint;
};

void PrintTo(const DialogCase &c, std::ostream *os) { *os << c.name; }

class ListenChoiceDialog : public ::testing::TestWithParam<DialogCase>
{
};

TEST_P(ListenChoiceDialog, TakesOnlyAnAddress)
{
    ListenDialog dialog(ListenSettings{});
    EXPECT_EQ(dialog.addressEdit()->text(), QStringLiteral("127.0.0.1:2237"));
    EXPECT_FALSE(dialog.enabledBox()->isChecked());
    EXPECT_FALSE(dialog.saveCardsBox()->isChecked() || dialog.sendCardsBox()->isChecked());
    dialog.enabledBox()->setChecked(true);
    dialog.addressEdit()->setText(GetParam().address);
    EXPECT_EQ(dialog.okButton()->isEnabled(), GetParam().ok);
    EXPECT_EQ(dialog.hint(), GetParam().hint);
    EXPECT_EQ(dialog.settings().has_value(), GetParam().ok);
    if (dialog.settings())
        EXPECT_TRUE(dialog.settings()->enabled);
}

INSTANTIATE_TEST_SUITE_P(
    ListenWindow, ListenChoiceDialog,
    ::testing::Values(
        DialogCase{"Unicast", "127.0.0.1:2333", true, "An address of this computer."},
        DialogCase{"Group", "224.0.0.1:2237", true,
                   "A multicast group, shared with other listeners, joined on this computer."},
        DialogCase{"PortAlone", "2238", true, "An address of this computer."},
        DialogCase{"HostName", "localhost:2237", false,
                   "Not an address: write it as 127.0.0.1:2237 or 224.0.0.1:2237."},
        DialogCase{"Empty", "", false, "Not an address: write it as 127.0.0.1:2237 or 224.0.0.1:2237."}),
    [](const auto &info) { return std::string(info.param.name); });

// A logged QSO gives the card that typing its fields gives.
struct FillCase
{
    const char *name;
    bool group;
    QByteArray (*datagram)();
    // What the operator would type: call, date, time, frequency, mode, power, report; a
    // power of "*" stands for the caption of the power choice, which the test makes.
    std::array<const char *, 7> typed;
    QString email;  // the e-mail field afterwards; empty: the call sign's placeholder
};

void PrintTo(const FillCase &c, std::ostream *os) { *os << c.name; }

class ListenFills : public ListenWindow, public ::testing::WithParamInterface<FillCase>
{
};

TEST_P(ListenFills, TheFieldsAsTypingWould)
{
    const FillCase &c = GetParam();
    startListening(c.group);
    ASSERT_TRUE(form->listen().isListening()) << form->listen().errorString().toStdString();
    auto *choice = form->control<QRadioButton>(QStringLiteral("RBPower2"));
    ASSERT_NE(choice, nullptr);
    choice->click();
    form->entryOverlay(QsoField::Power)->clear();
    send(c.datagram());
    ASSERT_TRUE(runUntil([&] { return !field(QsoField::CallSign).isEmpty(); }));
    const QsoRecord filled = form->qsoEntry().qsoOnScreen();
    const QString email = form->contactEmailField()->text();
    const QImage listened = cardNow();

    const QsoField order[] = {QsoField::CallSign, QsoField::UtcDate, QsoField::UtcTime, QsoField::Frequency,
                              QsoField::Mode, QsoField::Power, QsoField::Signal};
    for (const QsoField f : order)
        form->entryOverlay(f)->clear();
    for (size_t i = 0; i < std::size(order); ++i)
        QTest::keyClicks(form->entryOverlay(order[i]),
                         QByteArray(c.typed[i]) == "*" ? choice->text() : QString::fromUtf8(c.typed[i]));
    const QsoRecord typed = form->qsoEntry().qsoOnScreen();
    EXPECT_EQ(filled.callSign, typed.callSign);
    EXPECT_EQ(filled.utcDate, typed.utcDate);
    EXPECT_EQ(filled.utcTime, typed.utcTime);
    EXPECT_EQ(filled.freq, typed.freq);
    EXPECT_EQ(filled.mode, typed.mode);
    EXPECT_EQ(filled.power, typed.power);
    EXPECT_EQ(filled.signal, typed.signal);
    EXPECT_EQ(email, c.email.isEmpty() ? form->contactEmailField()->text() : c.email);
    EXPECT_TRUE(listened == cardNow()) << "the card differs from the typed one";
}

QByteArray jtdxWithEmail()
{
    return loggedAdifDatagram("JTDX", "<eoh><call:5>ea1bc <qso_date:8>20261208 <time_on:4>0930 "
                                      "<freq:8>7.074000 <mode:3>FT8 <rst_rcvd:3>-05 <email:10>ea@mail.es <eor>");
}

QByteArray qsoLoggedWithoutPower()
{
    QsoLoggedFields qso = sampleQso(2);
    qso.txPower.clear();
    return qsoLoggedDatagram(qso);
}

const FillCase fillCases[] = {
    {"UnicastAdifWithEmail", false, jtdxWithEmail,
     {"ea1bc", "12.8.2026", "09:30", "7.074", "FT8", "*", "-05"}, "ea@mail.es"},
    {"GroupQsoLogged", true, [] { return qsoLoggedDatagram(sampleQso(3)); },
     {"K3AB", "12.8.2026", "14:03", "14.076", "FT8", "50", "-10"}, ""},
    {"QsoLoggedWithoutPowerTakesTheChoice", false, qsoLoggedWithoutPower,
     {"K2AB", "12.8.2026", "14:02", "14.076", "FT8", "*", "-10"}, ""},
};

INSTANTIATE_TEST_SUITE_P(ListenWindow, ListenFills, ::testing::ValuesIn(fillCases),
                         [](const auto &info) { return std::string(info.param.name); });

// QSOs that come while a dialog is open wait and then fill the fields one after the other,
// in the order they came.
TEST_F(ListenWindow, QsosWaitWhileADialogIsOpen)
{
    startListening();
    ASSERT_TRUE(form->listen().isListening());
    QStringList calls;
    QObject::connect(form->entryOverlay(QsoField::CallSign), &QLineEdit::textChanged,
                     [&](const QString &text) { calls << text; });
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    for (int n : {1, 2}) {
        const QsoLoggedFields qso = sampleQso(n);
        send(qsoLoggedDatagram(qso));
        send(loggedAdifDatagram(qso.id, loggedAdifText(qso)));
    }
    ASSERT_TRUE(runUntil([&] { return form->listen().waitingCount() == 2; }));
    EXPECT_EQ(field(QsoField::CallSign), QString());
    dialog.close();
    ASSERT_TRUE(runUntil([&] { return form->listen().waitingCount() == 0; }));
    EXPECT_EQ(calls, (QStringList{"K1AB", "K2AB"}));
    EXPECT_EQ(field(QsoField::CallSign), QStringLiteral("K2AB"));
}

TEST_F(ListenWindow, PortInUseShowsWhy)
{
    QUdpSocket taken;
    ASSERT_TRUE(taken.bind(QHostAddress::LocalHost, 0));
    writeFile(stateFile(), QStringLiteral("[Listen]\r\nEnabled=TRUE\r\nAddress=127.0.0.1:%1\r\n")
                               .arg(taken.localPort())
                               .toUtf8());
    start();
    setUpListening(*form);
    EXPECT_FALSE(form->listen().isListening());
    EXPECT_TRUE(title().startsWith(QStringLiteral("Kartello - Not listening: cannot listen on 127.0.0.1:")))
        << title().toStdString();
}

// The card folder's files, name and bytes.
QMap<QString, QByteArray> folderFiles(const QString &folder)
{
    QMap<QString, QByteArray> files;
    for (const QString &name : QDir(folder).entryList(QDir::Files)) {
        QFile f(folder + name);
        files[name] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return files;
}

// With the actions on, each QSO's card is saved as Create JPG saves the same QSO (picture and
// contact info file, byte for byte) and, when asked, e-mailed as that very picture.
struct ActionCase
{
    const char *name;
    bool send;
    QString status;   // the end of the title once the QSO is done
    int messages;     // the server holds
};

void PrintTo(const ActionCase &c, std::ostream *os) { *os << c.name; }

class ListenActions : public ListenWindow, public ::testing::WithParamInterface<ActionCase>
{
};

TEST_P(ListenActions, SavesWhatCreateJpgSaves)
{
    const ActionCase &c = GetParam();
    QTemporaryDir inbox;
    AiosmtpdServer server(KARTELLO_SOURCE_DIR "/tests/mail/smtp_sink.py", {inbox.path()});
    ASSERT_NE(0, server.port());
    writeFile(dataFile("smtp.onl"), QStringLiteral("localhost\r\nyour user id\r\npw\r\n%1\r\nnone\r\n600\r\n")
                                        .arg(server.port()).toUtf8());
    const QString cards = dir.path() + "/cards/";
    ASSERT_TRUE(QDir().mkpath(cards));
    writeFile(dataFile("lfile.qec"), (cards + "\r\n").toUtf8());
    port = freeUdpPort();
    to = QHostAddress::LocalHost;
    writeFile(stateFile(), QStringLiteral("[Listen]\r\nEnabled=TRUE\r\nAddress=127.0.0.1:%1\r\nSaveCards=TRUE\r\n"
                                          "SendCards=%2\r\n").arg(port).arg(c.send ? "TRUE" : "FALSE").toUtf8());
    start();
    setUpListening(*form);
    form->control<QLineEdit>("EmailEdit1")->setText("dl1abc@example.org");
    send(loggedAdifDatagram("JTDX", "<eoh><call:5>ea1bc <qso_date:8>20261208 <time_on:4>0930 <freq:8>7.074000 "
                                    "<mode:3>FT8 <tx_pwr:3>100 <rst_rcvd:3>-05 <email:10>ea@mail.es <eor>"));
    ASSERT_TRUE(runUntil([&] { return title().endsWith(c.status); })) << title().toStdString();
    const QMap<QString, QByteArray> listened = folderFiles(cards);
    for (const QString &name : listened.keys())
        QFile::remove(cards + name);

    dialogs.fileNames.push_back(cards + "EA1BC.jpg");
    form->cardOutputs().createJpeg();
    const QMap<QString, QByteArray> created = folderFiles(cards);
    EXPECT_EQ(listened.keys(), created.keys());
    EXPECT_EQ(listened.size(), 2);
    for (const QString &name : created.keys())
        EXPECT_TRUE(listened.value(name) == created.value(name)) << name.toStdString();
    const QStringList held = runPython({KARTELLO_SOURCE_DIR "/tests/sending/decode_inbox.py", inbox.path()})
                                 .split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(held.size(), c.messages);
    if (c.messages > 0)
        EXPECT_TRUE(readFile(inbox.filePath("message1.card")) == created.value("EA1BC.jpg"));
}

INSTANTIATE_TEST_SUITE_P(ListenWindow, ListenActions,
                         ::testing::Values(ActionCase{"SaveOnly", false, "09:30: card saved", 0},
                                           ActionCase{"SaveAndSend", true, "09:30: card saved, sent", 1}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
