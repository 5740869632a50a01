// A card of `kartello cards` is the card the window's JPG Selected makes for the same row with
// the same stored design: the same JPEG bytes, the same contact info file.
#include "AdifPanelFixture.h"

#include "CardDesignFiles.h"
#include "CardsRunner.h"
#include "EntryEdit.h"
#include "ListRow.h"
#include "features/BatchCard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFont>
#include <QPalette>
#include <QLineEdit>
#include <QLinearGradient>
#include <QSlider>
#include <QPainter>
#include <QProcess>

#include <optional>

namespace {

class CardsSameAsWindow : public AdifPanelFixture
{
protected:
    // The stored design is written before the window starts: a background picture in
    // "gfile.qec", and card options, styles and the power choice in Kartello.ini.
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        // Run again on a dark desktop (CMake): the window's card must not follow its scheme.
        if (qEnvironmentVariableIsSet("KARTELLO_TEST_DARK_DESKTOP"))
            useDarkDesktop();
        QImage background(511, 280, QImage::Format_RGB32);
        QPainter painter(&background);
        QLinearGradient gradient(0, 0, 511, 280);
        gradient.setColorAt(0, QColor(250, 240, 200));
        gradient.setColorAt(1, QColor(90, 140, 200));
        painter.fillRect(background.rect(), gradient);
        painter.end();
        const QString picture = dir.path() + "/background.jpg";
        background.save(picture);
        writeFile(dataFile("gfile.qec"), (picture + "\r\n").toUtf8());
        writeFile(stateFile(), "[Form1]\r\nRBPower3.Checked=TRUE\r\nCSFItalic.Checked=TRUE\r\n"
                               "IFBold.Checked=TRUE\r\nCBFrameCard1.Checked=TRUE\r\n"
                               "CBShow73.Checked=FALSE\r\nRBBkgClr6.Checked=TRUE\r\n");
        QByteArray log = "<adif_ver:5>3.1.4 <eoh>\n";
        log += adifRecord("DL/K1ABC/P", "20240504", "0930", "7.1", "CW", "50W", "599", "k1@mail.org");
        log += adifRecord("ABC", "20241231", "2359", "14.074", "FT8", "", "-10");
        log += adifRecord("Jürgen", "20250101", "000000", "1296", "SSB", "5", "59");
        logPath = writeLog("log.adi", log);
        program = dir.path() + "/kartello";
        ASSERT_TRUE(QFile::copy(QStringLiteral(KARTELLO_EXECUTABLE), program));
        QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner);
    }

    void TearDown() override
    {
        MainWindowFixture::TearDown();
        if (m_desktop) {
            QApplication::setPalette(m_desktop->first);
            QApplication::setFont(m_desktop->second);
        }
    }

    // A dark colour scheme (Breeze Dark's text and window colours) and a large desktop font.
    void useDarkDesktop()
    {
        m_desktop.emplace(QApplication::palette(), QApplication::font());
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(32, 35, 38));
        dark.setColor(QPalette::WindowText, QColor(252, 252, 252));
        dark.setColor(QPalette::Base, QColor(20, 22, 24));
        dark.setColor(QPalette::Text, QColor(252, 252, 252));
        dark.setColor(QPalette::Button, QColor(41, 44, 48));
        dark.setColor(QPalette::ButtonText, QColor(252, 252, 252));
        QApplication::setPalette(dark);
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 13));
    }

    QString logPath;
    QString program;

private:
    std::optional<std::pair<QPalette, QFont>> m_desktop;
};

TEST_F(CardsSameAsWindow, JpegAndContactInfoAreJpgSelectedsByteForByte)
{
    const QString out = dir.path() + "/out/";
    QProcess run;
    run.start(program, {"cards", logPath, "--out", out});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    start();
    loadLog(logPath);
    ASSERT_EQ(adif().rows().rowCount(), 3);
    selectRows({0, 1, 2});
    adif().saveSelectedAsJpeg();
    const QString batch = dir.path() + "/BatchJPG/";
    const QStringList made = QDir(batch).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(made.size(), 6) << made.join(' ').toStdString();
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name), made);
    for (const QString &name : made) {
        const QByteArray window = readFile(batch + name);
        ASSERT_GT(window.size(), 0) << name.toStdString();
        EXPECT_TRUE(readFile(out + name) == window) << name.toStdString() << " differs";
    }
}

// GIF as Create GIF writes it for the QSO the row fills in, PNG with the very pixels of the
// window's batch card.
TEST_F(CardsSameAsWindow, GifIsCreateGifsAndPngHoldsTheBatchCard)
{
    const QString out = dir.path() + "/out/";
    for (const char *format : {"gif", "png"}) {
        QProcess run;
        run.start(program, {"cards", logPath, "--out", out, "--rows", "1", "--format", format});
        ASSERT_TRUE(run.waitForFinished(60000));
        ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();
    }
    start();
    const QImage batch = batchCard(form->batchCardParts(), parseListRow(
        "DL/K1ABC/P, 05.04.2024, 0930, 7.100, 50W, CW, 599, k1@mail.org"));
    emptyQsoAfterBatchCard(form->batchCardParts());
    EXPECT_TRUE(QImage(out + "DL_K1ABC_P.png").convertToFormat(QImage::Format_RGB32)
                == batch.convertToFormat(QImage::Format_RGB32));

    const QString cards = dir.path() + "/cards/";
    QDir().mkpath(cards);
    writeFile(dataFile("lfile.qec"), (cards + "\r\n").toUtf8());
    const char *texts[][2] = {{"ContactCallSign", "DL/K1ABC/P"}, {"UTCDate", "5.4.2024"},
                              {"UTCTime", "09:30"}, {"Freq", "7.100"}, {"Mode", "CW"},
                              {"Power", "50W"}, {"Signal", "599"}, {"ContactsEmail", "k1@mail.org"}};
    for (const auto &t : texts)
        form->control<EntryEdit>(t[0])->setText(t[1]);
    dialogs.fileNames.push_back(cards + "DL_K1ABC_P.gif");
    click("GIFButton1");
    ASSERT_TRUE(dialogs.texts("error").isEmpty()) << dialogs.texts("error").join("\n").toStdString();
    const QByteArray window = readFile(cards + "DL_K1ABC_P.gif");
    ASSERT_GT(window.size(), 1000);
    EXPECT_TRUE(readFile(out + "DL_K1ABC_P.gif") == window) << "differs from Create GIF";
}

} // namespace

namespace {

// The parts in which two designs differ, for a failure's message.
std::string differences(const card::CardDesign &a, const card::CardDesign &b)
{
    std::string out = "the window's design is not the stored one:";
    card::CardDesign probe = a;
    probe.options = b.options;
    if (probe != a) out += " options";
    for (auto group : {card::StyleGroup::CallSign, card::StyleGroup::Name, card::StyleGroup::Info})
        if (a.style(group) != b.style(group))
            out += " style" + std::to_string(int(group)) + "(" + a.style(group).face.toStdString()
                   + "/" + b.style(group).face.toStdString() + " "
                   + std::to_string(a.style(group).points.value_or(-1)) + "/"
                   + std::to_string(b.style(group).points.value_or(-1)) + " "
                   + std::to_string(a.style(group).colour.value_or(-1)) + "/"
                   + std::to_string(b.style(group).colour.value_or(-1)) + " "
                   + std::to_string(a.style(group).fixedColour) + "/"
                   + std::to_string(b.style(group).fixedColour) + " "
                   + std::to_string(a.style(group).otherColour) + "/"
                   + std::to_string(b.style(group).otherColour) + ")";
    if (a.nameWidth != b.nameWidth) out += " nameWidth";
    for (size_t i = 0; i < std::max(a.places.size(), b.places.size()); ++i)
        if (a.places.size() != b.places.size() || a.places[i] != b.places[i]) {
            out += " place" + std::to_string(i) + "(" + std::to_string(i < a.places.size() ? a.places[i].value_or(-1) : -2) + "/"
                   + std::to_string(i < b.places.size() ? b.places[i].value_or(-1) : -2) + ")";
        }
    if (a.identity != b.identity) out += " identity(" + a.identity.join('|').toStdString() + " / " + b.identity.join('|').toStdString() + ")";
    if (a.tableTitles != b.tableTitles) out += " titles";
    if (a.backgroundPicture != b.backgroundPicture) out += " background";
    return out;
}

// One design styled by hand in the window: the controls clicked, in order, each given as the
// control's name and the value it takes (a check box or radio checked, a slider's position,
// an "Other" list's item).
struct StyledDesign
{
    const char *name;
    std::vector<std::pair<const char *, int>> steps;
};

void PrintTo(const StyledDesign &design, std::ostream *os)
{
    *os << design.name;
}

class CardsOfAStyledDesign : public CardsSameAsWindow,
                             public ::testing::WithParamInterface<StyledDesign>
{
protected:
    void style(const StyledDesign &design)
    {
        for (const auto &[control, value] : design.steps) {
            QObject *target = form->findChild<QObject *>(control);
            ASSERT_NE(target, nullptr) << control;
            if (auto *button = qobject_cast<QAbstractButton *>(target))
                button->setChecked(value != 0);
            else if (auto *slider = qobject_cast<QSlider *>(target))
                slider->setValue(value);
            else if (auto *list = qobject_cast<QComboBox *>(target))
                list->setCurrentIndex(value), emit list->activated(value);
        }
    }
};

// The window's styling reaches the state file and "prefs.txt" at close; `kartello cards` reads
// them back without a window and paints the card JPG Selected paints in the restarted window.
TEST_P(CardsOfAStyledDesign, CommandPaintsTheWindowsCard)
{
    start();
    style(GetParam());
    for (const char *edit : {"CallSignEdit1", "NameEdit1", "TownEdit1"})
        form->control<QLineEdit>(edit)->setText(QStringLiteral("W1 %1 & Co").arg(edit));
    const card::CardDesign styled = form->cardDesign();
    closeAndDestroy();
    // The design the controls chose is the design the stored files hold.
    const card::DesignReading stored = card::readCardDesign(stateFile());
    EXPECT_EQ(stored.problems, QStringList());
    EXPECT_EQ(stored.warnings, QStringList());
    EXPECT_TRUE(stored.design == styled) << differences(stored.design, styled);

    const QString out = dir.path() + "/out/";
    QProcess run;
    run.start(program, {"cards", logPath, "--out", out, "--format", "png"});
    ASSERT_TRUE(run.waitForFinished(60000));
    ASSERT_EQ(run.exitCode(), 0) << run.readAllStandardError().toStdString();

    QProcess listRows;
    listRows.start(program, {"rows", logPath});
    ASSERT_TRUE(listRows.waitForFinished(60000));
    const QStringList rows = QString::fromUtf8(listRows.readAllStandardOutput()).split('\n');
    ASSERT_GE(rows.size(), 2);

    start();
    const std::pair<const char *, QString> cards[] = {{"DL_K1ABC_P.png", rows[0]},
                                                      {"ABC.png", rows[1]}};
    for (const auto &[file, row] : cards) {
        const QImage window = batchCard(form->batchCardParts(), parseListRow(row)).convertToFormat(QImage::Format_RGB32);
        const QImage command = QImage(out + file).convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(command.size(), window.size()) << file;
        EXPECT_TRUE(command == window) << file << " differs from the window's card";
    }
    emptyQsoAfterBatchCard(form->batchCardParts());
}

INSTANTIATE_TEST_SUITE_P(Designs, CardsOfAStyledDesign, ::testing::Values(
    StyledDesign{"AsShipped", {}},
    StyledDesign{"CallSignFaceSizeUnderlineItalic",
                 {{"CSFName3", 1}, {"CSFTrackBar1", 31}, {"CSFUnderline", 1}, {"CSFItalic", 1},
                  {"CSFBold", 1}, {"CSFColor000000FF", 1}}},
    StyledDesign{"NameBlockMovedSizedAndOtherColour",
                 {{"NFSize12", 1}, {"NFBold", 1}, {"ComboBox1", 7}, {"RBName1", 1},
                  {"LRTrackBar1", 60}, {"UDTrackBar2", 120}, {"IOTrackBar3", 200}}},
    StyledDesign{"InfoLinesAndCardOptions",
                 {{"IFName2", 1}, {"IFColor00000080", 1}, {"IFBold", 0}, {"RBBkgClr3", 1},
                  {"HL1", 1}, {"CBTranspTitles", 1}, {"CBFrameInfo1", 1}, {"CBShowEmail1", 1},
                  {"CBPseLoTW", 1}, {"CBTransp73Pse", 1}}},
    StyledDesign{"NoBackgroundSchemeChecked",
                 {{"RBBkgClr6", 0}, {"CBFrameCard1", 0}, {"CBPseQSL", 1}, {"RBPower1", 1}}}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
