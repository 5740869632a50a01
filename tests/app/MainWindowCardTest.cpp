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

// Where every control of the window stands is checked by one walk over the window
// description (WindowPlacesTest.cpp).

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
    // The 103 of the window's description, Send Selected and Unsent of the ADIF panel, and
    // Cancel and Test of the mail settings panel.
    EXPECT_EQ(107, form->findChildren<FlatButton *>().size());
    for (const char *hidden : {"FontCallSign1", "FontName1", "FontInfo1", "BatchPrint1",
                               "Panel29", "Panel1"})
        EXPECT_TRUE(form->control(hidden)->isHidden()) << hidden;
    EXPECT_EQ(QSize(727, 472), form->size());
    EXPECT_EQ(QString("Kartello"), form->windowTitle());
    EXPECT_EQ(11395047, widgetColour(form.get()));
}
