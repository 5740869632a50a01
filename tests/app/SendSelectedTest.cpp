// Send Selected of the ADIF panel, against a real SMTP server.
#include "AdifPanelFixture.h"

#include "AdifReader.h"
#include "AiosmtpdServer.h"
#include "JournalNotes.h"
#include "ScriptedServer.h"

#include <QDir>
#include <QKeyEvent>
#include <QSlider>
#include <QTimer>

#include "QtPrinters.h"

#include <memory>

namespace {

const QString kTests = QStringLiteral(KARTELLO_SOURCE_DIR "/tests");

const QByteArray kLog =
    "<adif_ver:5>3.1.4<eoh>\n"
    "<call:5>K1ABC <qso_date:8>20260405 <time_on:6>093015 <freq:3>7.1 <mode:2>CW <rst_rcvd:3>599 "
    "<email:17>k1abc@example.net <eor>\n"
    "<call:4>K2BB <qso_date:8>20260406 <time_on:4>0001 <freq:5>3.573 <mode:3>FT4 <rst_rcvd:3>+03 <eor>\n"
    "<call:4>G4AA <qso_date:8>20260407 <time_on:4>1300 <freq:4>21.2 <mode:3>SSB <rst_rcvd:2>59 <email:4>g4aa <eor>\n"
    "<call:4>F5BB <qso_date:8>20260408 <time_on:4>1400 <freq:6>14.074 <mode:3>FT8 <rst_rcvd:3>-05 "
    "<email:16>f5bb@example.net <eor>\n"
    "<call:5>DL1XY <qso_date:8>20260409 <time_on:4>1500 <freq:5>7.030 <mode:2>CW <rst_rcvd:3>579 "
    "<email:17>dl1xy@example.net <eor>\n";

enum class Reply { None, Yes, No };

struct SendSelectedRow
{
    const char *name;
    std::vector<int> sentBefore;   // rows sent by an earlier Send Selected
    Reply reply;                   // the answer to the question about them
    bool nothingListens;
    bool escDuringFirstCard;
    QString question;              // empty: none asked
    QString summary;
    QString warning;               // its start; empty: none
    int messages;                  // the server holds in the end
    int journalRecords;
};

void PrintTo(const SendSelectedRow &row, std::ostream *os) { *os << row.name; }

class SendSelected : public AdifPanelFixture, public ::testing::WithParamInterface<SendSelectedRow>
{
protected:
    void SetUp() override
    {
        AdifPanelFixture::SetUp();
        adif().openPanel();
        form->control<QLineEdit>("EmailEdit1")->setText("dl1abc@example.org");
        loadLog(writeLog("weekend.adi", kLog));
        ASSERT_EQ(adif().rows().rowCount(), 5);
    }
    void settings(quint16 port, int perMinute)
    {
        writeFile(dataFile("smtp.onl"), QStringLiteral("localhost\r\nyour user id\r\npw\r\n%1\r\nnone\r\n%2\r\n")
                                            .arg(port).arg(perMinute).toUtf8());
    }
    void sendRows(std::initializer_list<int> rows)
    {
        list()->clearSelection();
        selectRows(rows);
        click("SendSelectedButton");
    }
    QTemporaryDir inbox;
};

TEST_P(SendSelected, SendsTheSelectedCardsOnce)
{
    const SendSelectedRow &row = GetParam();
    AiosmtpdServer server(kTests + "/mail/smtp_sink.py", {inbox.path()});
    ASSERT_NE(0, server.port());
    settings(server.port(), 600);
    for (int r : row.sentBefore)
        sendRows({r});
    if (row.nothingListens)
        settings(unusedPort(), 600);
    if (row.reply != Reply::None)
        dialogs.answers.push_back(row.reply == Reply::Yes ? UserDialogs::Answer::Yes : UserDialogs::Answer::No);
    QTimer esc;
    if (row.escDuringFirstCard) {
        settings(server.port(), 30);   // two seconds between cards: Esc comes in between
        QObject::connect(&esc, &QTimer::timeout, form.get(), [this, &esc] {
            if (!progress().startsWith("Card 1 of"))
                return;
            esc.stop();
            QCoreApplication::postEvent(form.get(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        });
        esc.start(5);
    }
    const QStringList warningsBefore = dialogs.texts("warning");
    sendRows({0, 1, 2, 3, 4});

    EXPECT_FALSE(adif().isBusy());
    EXPECT_FALSE(led()->isLit());
    EXPECT_TRUE(closeButton()->isButtonEnabled());
    EXPECT_EQ(row.summary, progress());
    EXPECT_EQ(row.question.isEmpty() ? QStringList() : QStringList{row.question}, dialogs.texts("question"));
    const QStringList warnings = dialogs.texts("warning");
    EXPECT_EQ(row.warning.isEmpty() ? 0 : 1, warnings.size() - warningsBefore.size()) << warnings.join('\n').toStdString();
    if (!row.warning.isEmpty() && !warnings.isEmpty())
        EXPECT_EQ(row.warning, warnings.last().left(row.warning.size()));
    EXPECT_EQ(row.journalRecords, int(readAdifLog(readFile(dataFile("Sent.adi"))).records.size()));

    // The cards that went out are the cards JPG Selected makes of the same rows.
    const QStringList kept = runPython({kTests + "/sending/decode_inbox.py", inbox.path()}).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(row.messages, kept.size()) << kept.join('\n').toStdString();
    list()->clearSelection();
    selectRows({0, 1, 2, 3, 4});
    click("EncartaButton10");
    for (const QString &line : kept) {
        const QStringList f = line.split('\t');
        ASSERT_EQ(5, f.size());
        EXPECT_EQ(readFile(dir.path() + "/BatchJPG/" + f[3]), readFile(inbox.filePath("message" + f[0] + ".card")))
            << f[3].toStdString();
    }
}

const QString kSkips = QStringLiteral("; 1 without an address; 1 with an address the e-mail check refuses");

const SendSelectedRow kSendSelectedRows[] = {
    {"EveryRowWithAnAddress", {}, Reply::None, false, false, {}, "3 cards sent" + kSkips, {}, 3, 3},
    {"SentBeforeNotAgain", {0}, Reply::No, false, false,
     "1 of the 3 selected QSOs with an address were sent before (Sent.adi). Send those again?",
     "2 cards sent; 1 already sent" + kSkips, {}, 3, 3},
    {"SentBeforeAgain", {0, 4}, Reply::Yes, false, false,
     "2 of the 3 selected QSOs with an address were sent before (Sent.adi). Send those again?",
     "3 cards sent" + kSkips, {}, 5, 5},
    {"ServerUnreachable", {}, Reply::None, true, false, {}, "0 cards sent" + kSkips + "; 3 not sent",
     "An error -Connection refused (localhost:", 0, 0},
    {"EscStopsBetweenTwoCards", {}, Reply::None, false, true, {}, "1 card sent" + kSkips + "; 2 not sent", {}, 1, 1},
};

INSTANTIATE_TEST_SUITE_P(Adif, SendSelected, ::testing::ValuesIn(kSendSelectedRows),
                         [](const auto &info) { return std::string(info.param.name); });

class SendSelectedJournal : public SendSelected
{
};

// With several QSOs a card, a call's selected QSOs go out in one message on the cards JPG
// Selected makes of them, each QSO recorded.
TEST_F(SendSelectedJournal, QsosOfOneCallShareAMessageWhenACardListsSeveral)
{
    AiosmtpdServer server(kTests + "/mail/smtp_sink.py", {inbox.path()});
    ASSERT_NE(0, server.port());
    settings(server.port(), 600);
    loadLog(writeLog("again.adi", "<eoh><call:5>k1abc <qso_date:8>20260401 <time_on:4>0800 <freq:6>14.074 "
                                  "<mode:3>FT8 <rst_rcvd:3>-07 <email:17>k1abc@example.net <eor>"));
    form->control<QSlider>("QsosPerCardBar")->setValue(2);
    sendRows({0, 5, 3});
    EXPECT_EQ("2 cards sent", progress());
    EXPECT_EQ(3, int(readAdifLog(readFile(dataFile("Sent.adi"))).records.size()));
    const QStringList kept = runPython({kTests + "/sending/decode_inbox.py", inbox.path()}).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(2, kept.size()) << kept.join('\n').toStdString();
    list()->clearSelection();
    selectRows({0, 5, 3});
    click("EncartaButton10");
    EXPECT_EQ(QDir(dir.path() + "/BatchJPG/").entryList({"*.jpg"}, QDir::Files, QDir::Name),
              QStringList({"F5BB.jpg", "K1ABC.jpg"}));
    for (const QString &line : kept) {
        const QStringList f = line.split('\t');
        ASSERT_EQ(5, f.size());
        EXPECT_EQ(readFile(dir.path() + "/BatchJPG/" + f[3]), readFile(inbox.filePath("message" + f[0] + ".card")))
            << f[3].toStdString();
    }
}

// A card whose earlier send ended without the server's answer is named and left out.
TEST_F(SendSelectedJournal, CardsThatMayHaveBeenSentAreNamedAndSkipped)
{
    AiosmtpdServer server(kTests + "/mail/smtp_sink.py", {inbox.path()});
    settings(server.port(), 600);
    const SentQso k1abc{"K1ABC", "20260405", "093015", "7.1", "CW", "k1abc@example.net", {}};
    writeFile(dataFile("Sent.adi"), "Journal\n<EOH>\n" + journalNoteText(JournalNoteKind::Sending, k1abc));
    sendRows({0, 1, 2, 3, 4});
    EXPECT_EQ("2 cards sent; 1 may have been sent before (not sent again)" + kSkips, progress());
    ASSERT_FALSE(dialogs.texts("warning").isEmpty());
    EXPECT_EQ(QStringLiteral("Not sent again, since an earlier send ended without the server's answer and they "
                             "may have been sent (see Sent.adi): K1ABC"),
              dialogs.texts("warning").last());
    EXPECT_EQ(2, int(readAdifLog(readFile(dataFile("Sent.adi"))).records.size()));
}

} // namespace
