#include "MainWindowFixture.h"

#include "CardBand.h"
#include "CardDocument.h"
#include "CardElements.h"
#include "Colors.h"
#include "CardLabel.h"
#include "CardShape.h"
#include "FlatButton.h"
#include "EntryEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>

namespace {

int widgetColour(QWidget *w) { return colorToInt(w->palette().color(QPalette::Window)); }

} // namespace

TEST_F(MainWindowFixture, FirstRunAppliesTheInitialOptions)
{
    start();
    for (const char *hidden : {"alPseQSL", "alPseLoTW", "al73", "alEmail", "AlShape15"})
        EXPECT_FALSE(form->control<CardElement>(hidden)->visible()) << hidden;
    for (const QString &box : card::boxFrames())
        EXPECT_FALSE(form->control<CardElement>(box)->visible()) << box.toStdString();
    for (const QString &name : card::textElementNames())
        EXPECT_EQ(name == "alCallSign", form->control<CardElement>(name)->transparent())
            << name.toStdString();
    EXPECT_TRUE(form->control("EncartaButton1")->isHidden());
    EXPECT_EQ(578, form->control("ClipBoardButton1")->x());
    EXPECT_EQ(65535, form->cardOptions().boxColours().box);
    EXPECT_EQ(8388608, form->cardOptions().boxColours().boxText);
    EXPECT_EQ(65535, colorToInt(form->valueElement(QsoField::Signal)->color()));
    EXPECT_EQ(8388608, colorToInt(form->control<CardElement>("AlLabel3")->fontColor()));
    EXPECT_EQ(65535, colorToInt(form->entryOverlay(QsoField::Frequency)->palette().color(QPalette::Base)));
    for (const char *panel : {"Panel5", "GroupBox1", "GroupBox2", "GroupBox3", "GroupBox4"})
        EXPECT_EQ(7585759, widgetColour(form->control(panel))) << panel;
    // The call sign never takes the box colour.
    EXPECT_NE(65535, colorToInt(form->control<CardLabel>("alCallSign")->color()));
}

// Each option click re-applies every option; the row gives the control and what must follow.
struct OptionClick {
    const char *control;
    std::function<void(MainWindow &)> check;
};

class OptionClicks : public MainWindowFixture, public ::testing::WithParamInterface<OptionClick> {};

TEST_P(OptionClicks, ApplyAtOnce)
{
    start();
    form->control<QAbstractButton>(GetParam().control)->setChecked(true);
    GetParam().check(*form);
    EXPECT_EQ(Qt::ClickFocus, form->control(GetParam().control)->focusPolicy());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, OptionClicks,
    ::testing::Values(
        OptionClick{"CBSendEnabled", [](MainWindow &f) {
                        EXPECT_FALSE(f.control("EncartaButton1")->isHidden());
                        EXPECT_EQ(622, f.control("ClipBoardButton1")->x());
                    }},
        OptionClick{"CBShowEmail1", [](MainWindow &f) {
                        EXPECT_TRUE(f.control<CardElement>("alEmail")->visible());
                        EXPECT_EQ(65535, colorToInt(f.control<CardElement>("alEmail")->color()));
                    }},
        OptionClick{"CBFrameInfo1", [](MainWindow &f) {
                        EXPECT_TRUE(f.control<CardElement>("AlShape14")->visible());
                        EXPECT_FALSE(f.control<CardElement>("AlShape15")->visible());
                    }},
        OptionClick{"CBTranspTitles", [](MainWindow &f) {
                        EXPECT_TRUE(f.control<CardElement>("AlLabel1")->transparent());
                        EXPECT_TRUE(f.valueElement(QsoField::Signal)->transparent());
                        EXPECT_FALSE(f.control<CardElement>("alName")->transparent());
                    }},
        OptionClick{"RBBkgClr8", [](MainWindow &f) {
                        EXPECT_EQ(65535, colorToInt(f.control<CardShape>("AlShape7")->pen().color()));
                        EXPECT_EQ(16777215, colorToInt(f.valueElement(QsoField::Frequency)->fontColor()));
                        EXPECT_EQ(16711680, colorToInt(f.valueElement(QsoField::Frequency)->color()));
                    }},
        OptionClick{"HL1", [](MainWindow &f) {
                        EXPECT_EQ(11395047, widgetColour(f.control("GroupBox3")));
                    }}),
    [](const auto &info) { return std::string(info.param.control); });

TEST_F(MainWindowFixture, LeavingB9TurnsThePensNavyAgain)
{
    start();
    form->control<QRadioButton>("RBBkgClr9")->setChecked(true);
    form->control<QRadioButton>("RBBkgClr2")->setChecked(true);
    for (const QString &box : card::boxFrames())
        EXPECT_EQ(8388608, colorToInt(form->control<CardShape>(box)->pen().color()));
    EXPECT_EQ(13565951, form->cardOptions().boxColours().box);
}

TEST_F(MainWindowFixture, IdentityEditsReachTheCardAndOverlaysReachValuesOnlyOnCopy)
{
    start();
    form->control<QLineEdit>("PseLoTWEdit1")->setText("LoTW ok");
    EXPECT_EQ(QString("LoTW ok"), form->control<CardLabel>("alPseLoTW")->caption());
    form->entryOverlay(QsoField::UtcTime)->setText("07:05");
    EXPECT_EQ(QString(), form->valueElement(QsoField::UtcTime)->caption());
    form->qsoEntry().copyFieldsToCard();
    EXPECT_EQ(QString("07:05"), form->valueElement(QsoField::UtcTime)->caption());
}

// A QSO field typed into copies the station identity to the card again, all but the call
// sign; the row gives the field and whether the identity comes back.
struct FieldRefresh {
    const char *name;
    QsoField field;
    bool refreshes;
};

void PrintTo(const FieldRefresh &row, std::ostream *os)
{
    *os << row.name << (row.refreshes ? " refreshes" : " leaves") << " the identity";
}

class FieldRefreshes : public MainWindowFixture, public ::testing::WithParamInterface<FieldRefresh> {};

TEST_P(FieldRefreshes, TheIdentityOnTheCard)
{
    start();
    form->control<QLineEdit>("PseLoTWEdit1")->setText("LoTW ok");
    auto *element = form->control<CardLabel>("alPseLoTW");
    element->setCaption("stale");
    form->entryOverlay(GetParam().field)->setText("5");
    EXPECT_EQ(GetParam().refreshes ? QString("LoTW ok") : QString("stale"), element->caption());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldRefreshes,
    ::testing::Values(FieldRefresh{"CallSign", QsoField::CallSign, false},
                      FieldRefresh{"UtcDate", QsoField::UtcDate, true},
                      FieldRefresh{"UtcTime", QsoField::UtcTime, true},
                      FieldRefresh{"Frequency", QsoField::Frequency, true},
                      FieldRefresh{"Mode", QsoField::Mode, true},
                      FieldRefresh{"Power", QsoField::Power, true},
                      FieldRefresh{"Signal", QsoField::Signal, true}),
    [](const ::testing::TestParamInfo<FieldRefresh> &info) { return std::string(info.param.name); });

// ---- the window description ----

struct Placed {
    const char *name;
    const char *parent;
    QRect geometry;
    const char *caption;   // nullptr: filled from a pick list
};

class DescribedPlaces : public MainWindowFixture, public ::testing::WithParamInterface<Placed> {};

TEST_P(DescribedPlaces, ControlStandsWhereTheDescriptionPutsIt)
{
    start();
    const Placed &row = GetParam();
    QWidget *w = form->control(row.name);
    ASSERT_NE(nullptr, w) << row.name;
    EXPECT_EQ(QString(row.parent), w->parentWidget()->objectName());
    EXPECT_EQ(row.geometry, w->geometry());
    if (!row.caption)
        return;   // captioned from a pick list
    if (auto *b = qobject_cast<FlatButton *>(w))
        EXPECT_EQ(QString::fromUtf8(row.caption), b->caption());
    else if (auto *a = qobject_cast<QAbstractButton *>(w))
        EXPECT_EQ(QString::fromUtf8(row.caption), a->text());
    else if (auto *g = qobject_cast<QGroupBox *>(w))
        EXPECT_EQ(QString::fromUtf8(row.caption), g->title());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DescribedPlaces,
    ::testing::Values(
        Placed{"Panel8", "Form1", {511, 0, 5, 281}, ""},
        Placed{"Panel9", "Form1", {0, 280, 516, 4}, ""},
        Placed{"Panel10", "Form1", {512, 271, 3, 11}, ""},
        Placed{"Panel2", "Form1", {3, 286, 511, 185}, ""},
        Placed{"Panel5", "Panel2", {11, 6, 488, 21}, ""},
        Placed{"EncartaButton5", "Panel5", {199, 4, 38, 13}, "Clear"},
        Placed{"EncartaButton6", "Panel5", {424, 4, 60, 13}, "Load Bkg"},
        Placed{"RBMode7", "GroupBox1", {100, 42, 96, 17}, nullptr},
        Placed{"RST9", "GroupBox2", {228, 16, 22, 16}, "9"},
        Placed{"EBSig16", "GroupBox2", {246, 54, 27, 16}, nullptr},
        Placed{"EBFreq14", "GroupBox3", {439, 17, 26, 16}, nullptr},
        Placed{"RBPower9", "GroupBox4", {416, 14, 67, 17}, nullptr},
        Placed{"EncartaButtonH17", "Panel12", {149, 41, 18, 16}, "17"},
        Placed{"EncartaButtonM55", "Panel12", {149, 99, 18, 16}, "55"},
        Placed{"EncartaButton7", "Panel12", {44, 119, 110, 13}, "Current GMT Date Time"},
        Placed{"MonthCalendar1", "Panel16", {1, 3, 202, 153}, ""},
        Placed{"ContactsEmail", "Form1", {525, 328, 193, 15}, ""},
        Placed{"DiduLine1", "Form1", {524, 327, 195, 17}, ""},
        Placed{"JPGButton1", "Form1", {534, 390, 86, 22}, "Create JPG"},
        Placed{"CloseButton3", "Form1", {622, 438, 86, 22}, "Close"},
        Placed{"EncartaButton4", "Form1", {692, 346, 27, 13}, "Help"},
        Placed{"RBBkgClr0", "GroupBox6", {158, 52, 37, 16}, "BA"},
        Placed{"SmtpInfoButton2", "Panel29", {68, 74, 48, 18}, "OK"},
        Placed{"EncartaButton53", "GroupBox5", {184, 17, 12, 14}, "\xC3\x98"},
        Placed{"FontCallSign1", "Form1", {14, 287, 489, 180}, " Call Sign Font  "},
        Placed{"BatchPrint1", "Form1", {14, 287, 489, 180}, " ADIF Batch Processing "},
        Placed{"SendSelectedButton", "BatchPrint1", {283, 153, 86, 22}, "Send Selected"},
        Placed{"EncartaButton11", "BatchPrint1", {371, 153, 86, 22}, "Close"},
        Placed{"Image1", "Panel1", {0, 0, 511, 280}, ""}),
    [](const auto &info) { return std::string(info.param.name); });

// The window shows its card document's elements on its band, in painting order, and lays the
// entry overlays over them.
TEST_F(MainWindowFixture, BandShowsTheDocumentAndTheOverlaysLieOverIt)
{
    start();
    auto *band = form->control<CardBand>("tAlBand1");
    auto *document = form->control<CardDocument>("cardDocument");
    EXPECT_EQ(document->elements(), band->elements());
    for (const card::ElementRow &row : card::cardElements()) {
        if (row.kind != card::ElementKind::Overlay)
            continue;
        auto *edit = form->control<EntryEdit>(row.name);
        EXPECT_EQ(band, edit->parentWidget()) << row.name;
        EXPECT_EQ(row.geometry, edit->geometry()) << row.name;
    }
}

TEST_F(MainWindowFixture, WindowHoldsEveryFlatButtonAndStartsWithPanelsHidden)
{
    start();
    // The 103 of the window's description and Send Selected of the ADIF panel.
    EXPECT_EQ(104, form->findChildren<FlatButton *>().size());
    for (const char *hidden : {"FontCallSign1", "FontName1", "FontInfo1", "BatchPrint1",
                               "Panel29", "Panel1"})
        EXPECT_TRUE(form->control(hidden)->isHidden()) << hidden;
    EXPECT_EQ(QSize(727, 472), form->size());
    EXPECT_EQ(QString("Kartello"), form->windowTitle());
    EXPECT_EQ(11395047, widgetColour(form.get()));
}
