#include "CaptionRoom.h"
#include "PdfPage.h"
#include "ScriptedDialogs.h"
#include "FlatButton.h"
#include "PrintWindow.h"
#include "QtPrinters.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Fixture {
    QImage card = framedTestCard();
    QString callSign = "K1ABC";
    int contactsInfoWritten = 0;
    PrintWindow form{PrintWindowHost{[this] { return card; }, [this] { return callSign; },
                                [this] { ++contactsInfoWritten; },
                                [this] { return "/srv/qsl/" + callSign + ".pdf"; }}};
    ScriptedDialogs dialogs;
    QTemporaryDir dir;
    int pdfCount = 0;
    QString lastPdf;

    // Every confirmed print dialog sends the page to a new PDF file.
    Fixture()
    {
        dialogs.onPrint = [this](QPrinter &printer) {
            lastPdf = dir.filePath(QStringLiteral("print%1.pdf").arg(++pdfCount));
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(lastPdf);
        };
    }
    template <typename T> T *child(const char *name) { return form.findChild<T *>(name); }
    void press(bool confirm)
    {
        dialogs.printAnswers.push_back(confirm);
        form.show();
        form.printPage();
    }
};

struct PlaceRow {
    const char *name;
    QRect place;
};

class PrintWindowPlaces : public ::testing::TestWithParam<PlaceRow> {};

TEST_P(PrintWindowPlaces, ControlSitsWhereTheWindowDescriptionSays)
{
    Fixture f;
    const QWidget *w = f.form.findChild<QWidget *>(GetParam().name);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->geometry(), GetParam().place);
    EXPECT_EQ(w->parentWidget(), &f.form);
}

INSTANTIATE_TEST_SUITE_P(Controls, PrintWindowPlaces, ::testing::Values(
    PlaceRow{"EncartaButton1", {8, 8, 86, 22}}, PlaceRow{"EncartaButton2", {96, 8, 86, 22}},
    PlaceRow{"Panel1", {184, 9, 8, 19}}, PlaceRow{"Copy1", {242, 11, 28, 17}},
    PlaceRow{"Copy2", {274, 11, 28, 17}}, PlaceRow{"Copy3", {306, 11, 28, 17}},
    PlaceRow{"Pos1", {408, 11, 28, 17}}, PlaceRow{"Pos2", {440, 11, 28, 17}},
    PlaceRow{"Pos3", {472, 11, 28, 17}}, PlaceRow{"CheckBox1", {504, 10, 72, 17}},
    PlaceRow{"Image1", {8, 40, 511, 280}}, PlaceRow{"StatusBar1", {0, 328, 583, 19}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PrintWindow, WindowAtCreation)
{
    Fixture f;
    EXPECT_EQ(f.form.windowTitle(), "Kartello Print");
    EXPECT_EQ(f.form.size(), QSize(583, 347));
    EXPECT_EQ(f.form.choice(), PrintWindow::Position1);
    EXPECT_FALSE(f.child<QCheckBox>("CheckBox1")->isChecked());
    EXPECT_EQ(f.child<QCheckBox>("CheckBox1")->toolTip(), "Auto loop position");
    EXPECT_EQ(f.child<FlatButton>("EncartaButton1")->caption(), "Print");
    EXPECT_EQ(f.child<FlatButton>("EncartaButton2")->caption(), "Cancel");
    EXPECT_EQ(f.child<QLabel>("Label1")->text(), "Copies:  ");
    EXPECT_EQ(f.child<QLabel>("Label2")->text(), "Position:  ");
}

struct InkRow {
    const char *name;
    bool navyCaption;   // navy caption text, else the style's own
    bool autoSized;     // as wide as its caption
};

class PrintWindowInk : public ::testing::TestWithParam<InkRow> {};

// Labels and choice radios carry navy captions; the labels are exactly as wide as their text.
TEST_P(PrintWindowInk, CaptionColourAndSize)
{
    const InkRow &row = GetParam();
    Fixture f;
    auto *w = f.child<QWidget>(row.name);
    ASSERT_NE(nullptr, w);
    const QColor navy(0, 0, 128);
    EXPECT_EQ(row.navyCaption, w->palette().color(QPalette::WindowText) == navy);
    EXPECT_EQ(row.navyCaption, w->palette().color(QPalette::ButtonText) == navy);
    if (row.autoSized)
        EXPECT_EQ(w->sizeHint(), w->size());
}

INSTANTIATE_TEST_SUITE_P(Controls, PrintWindowInk, ::testing::Values(
    InkRow{"Label1", true, true}, InkRow{"Label2", true, true}, InkRow{"Copy1", true, false},
    InkRow{"Pos3", true, false}, InkRow{"CheckBox1", true, false}),
    [](const auto &info) { return std::string(info.param.name); });

// The Auto loop box says what it does, and neither its caption nor its box is cut at the
// window's edge.
TEST(PrintWindow, AutoLoopBoxShowsItsWholeCaption)
{
    Fixture f;
    expectWholeCheckCaption(f.child<QCheckBox>("CheckBox1"));
    EXPECT_EQ("Auto loop", f.child<QCheckBox>("CheckBox1")->text());
}

// The print window's buttons light up in the accent colour, not the main window's orange.
TEST(PrintWindow, ButtonsLightUpInTheAccentColour)
{
    Fixture f;
    for (const char *name : {"EncartaButton1", "EncartaButton2"}) {
        EXPECT_EQ(QColor(0xdf, 0xbf, 0x73), f.child<FlatButton>(name)->colorOver()) << name;
        EXPECT_EQ(QColor(231, 223, 173), f.child<FlatButton>(name)->color()) << name;
    }
}

TEST(PrintWindow, SixRadioButtonsAreOneGroup)
{
    Fixture f;
    f.child<QRadioButton>("Copy2")->click();
    EXPECT_EQ(f.form.choice(), PrintWindow::Copies2);
    EXPECT_FALSE(f.child<QRadioButton>("Pos1")->isChecked());
    f.child<QRadioButton>("Pos3")->click();
    EXPECT_EQ(f.form.choice(), PrintWindow::Position3);
    EXPECT_FALSE(f.child<QRadioButton>("Copy2")->isChecked());
    EXPECT_EQ(f.form.focusWidget(), f.child<QWidget>("Panel1"));
}

std::string choiceName(PrintWindow::Choice choice)
{
    static const char *const names[] = {"Copies1",   "Copies2",   "Copies3",
                                        "Position1", "Position2", "Position3"};
    return names[choice];
}

struct SlotRow {
    PrintWindow::Choice choice;
    std::array<bool, 3> filled;
    PrintWindow::Choice afterLoop;
};

class SlotTable : public ::testing::TestWithParam<SlotRow> {};

TEST_P(SlotTable, SlotsAndPositionAdvance)
{
    const SlotRow row = GetParam();
    EXPECT_EQ(PrintWindow::slotsFor(row.choice), row.filled);
    EXPECT_EQ(PrintWindow::choiceAfterPrint(row.choice, true), row.afterLoop);
    EXPECT_EQ(PrintWindow::choiceAfterPrint(row.choice, false), row.choice);
}

INSTANTIATE_TEST_SUITE_P(Choices, SlotTable, ::testing::Values(
    SlotRow{PrintWindow::Copies1, {true, false, false}, PrintWindow::Copies1},
    SlotRow{PrintWindow::Copies2, {true, true, false}, PrintWindow::Copies2},
    SlotRow{PrintWindow::Copies3, {true, true, true}, PrintWindow::Copies3},
    SlotRow{PrintWindow::Position1, {true, false, false}, PrintWindow::Position2},
    SlotRow{PrintWindow::Position2, {false, true, false}, PrintWindow::Position3},
    SlotRow{PrintWindow::Position3, {false, false, true}, PrintWindow::Position1}),
    [](const auto &info) { return choiceName(info.param.choice); });

struct PrintRow {
    const char *name;
    PrintWindow::Choice choice;
    bool autoLoop;
    std::vector<int> tops;   // card tops on the page at 96 dots per inch
    PrintWindow::Choice next;
};

class PrintPress : public ::testing::TestWithParam<PrintRow> {};

TEST_P(PrintPress, PagePrintedInfoWrittenWindowClosed)
{
    const PrintRow row = GetParam();
    Fixture f;
    f.form.setChoice(row.choice);
    f.child<QCheckBox>("CheckBox1")->setChecked(row.autoLoop);
    f.press(true);
    EXPECT_FALSE(f.form.isVisible());
    EXPECT_EQ(f.contactsInfoWritten, 1);
    EXPECT_EQ(f.form.choice(), row.next);
    ASSERT_TRUE(QFile::exists(f.lastPdf));
    EXPECT_EQ(pdfPageCount(f.lastPdf), 1);
    const auto cards = cardsOnPdfPage(f.lastPdf, f.dir.path());
    ASSERT_EQ(cards.size(), row.tops.size());
    for (size_t i = 0; i < cards.size(); ++i) {
        EXPECT_NEAR(cards[i].top(), row.tops[i], 1);
        EXPECT_EQ(cards[i].left(), 48);
        EXPECT_NEAR(cards[i].width(), 511, 1);
        EXPECT_NEAR(cards[i].height(), 280, 1);
    }
    EXPECT_TRUE(runTool("pdfinfo", {f.lastPdf}).contains("K1ABC"));
}

INSTANTIATE_TEST_SUITE_P(Choices, PrintPress, ::testing::Values(
    PrintRow{"copies1", PrintWindow::Copies1, true, {48}, PrintWindow::Copies1},
    PrintRow{"copies2", PrintWindow::Copies2, true, {48, 331}, PrintWindow::Copies2},
    PrintRow{"copies3", PrintWindow::Copies3, true, {48, 331, 614}, PrintWindow::Copies3},
    PrintRow{"position1", PrintWindow::Position1, true, {48}, PrintWindow::Position2},
    PrintRow{"position2", PrintWindow::Position2, true, {331}, PrintWindow::Position3},
    PrintRow{"position3", PrintWindow::Position3, true, {614}, PrintWindow::Position1},
    PrintRow{"position2NoLoop", PrintWindow::Position2, false, {331}, PrintWindow::Position2}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PrintWindow, CancelledDialogPrintsNothingButAdvancesAndWritesInfo)
{
    Fixture f;
    f.child<QCheckBox>("CheckBox1")->setChecked(true);
    f.press(false);
    EXPECT_FALSE(QFile::exists(f.lastPdf));
    EXPECT_EQ(f.form.choice(), PrintWindow::Position2);
    EXPECT_EQ(f.contactsInfoWritten, 1);
    EXPECT_FALSE(f.form.isVisible());
}

TEST(PrintWindow, ThreeLoopedPrintsWalkTheSlotsAndComeBackToPositionOne)
{
    Fixture f;
    f.child<QCheckBox>("CheckBox1")->setChecked(true);
    const int expectedTops[] = {48, 331, 614};
    for (const int top : expectedTops) {
        f.press(true);
        const auto cards = cardsOnPdfPage(f.lastPdf, f.dir.path());
        ASSERT_EQ(cards.size(), 1u);
        EXPECT_NEAR(cards[0].top(), top, 1);
    }
    EXPECT_EQ(f.pdfCount, 3);
    EXPECT_EQ(f.form.choice(), PrintWindow::Position1);
}

TEST(PrintWindow, EveryOpeningPreviewsTheLatestSnapshot)
{
    Fixture f;
    f.form.show();
    EXPECT_EQ(f.form.previewImage().pixelColor(100, 100), QColor(0, 0, 128));
    EXPECT_EQ(f.form.focusWidget(), f.child<QWidget>("Panel1"));
    f.form.hide();
    f.card = framedTestCard(QColor(200, 0, 0));
    f.form.show();
    EXPECT_EQ(f.form.previewImage().pixelColor(100, 100), QColor(200, 0, 0));
    EXPECT_EQ(f.form.previewImage().size(), QSize(511, 280));
}

// Each opening prepares the window once: one preview, one pointer move onto Print.
TEST(PrintWindow, EachOpeningPreparesOnce)
{
    Fixture f;
    for (int opening = 1; opening <= 3; ++opening) {
        f.form.show();
        QApplication::setActiveWindow(&f.form);
        QCoreApplication::processEvents();
        QStringList moves = f.dialogs.texts("pointer on");
        EXPECT_EQ(QStringList(opening, "EncartaButton1 12,0"), moves) << opening;
        f.form.hide();
    }
}

TEST(PrintWindow, PrintToFileProposesTheHostsFile)
{
    Fixture f;
    f.press(false);
    EXPECT_EQ("/srv/qsl/K1ABC.pdf", f.dialogs.lastProposedPrintFile.toStdString());
}

} // namespace
