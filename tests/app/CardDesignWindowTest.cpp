// Text styles and field positions through the real main window.
#include "CardDesign.h"
#include "MainWindowFixture.h"

#include "CardLabel.h"
#include "CollapsiblePanel.h"
#include "Colors.h"
#include "FlatButton.h"
#include "RememberedList.h"
#include "TextStyles.h"
#include "CardElements.h"
#include "features/TextStylesController.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

namespace {

class CardDesign : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        start();
    }
    CardLabel *element(const char *name) const { return form->control<CardLabel>(name); }
    void check(const char *name) { form->control<QAbstractButton>(name)->setChecked(true); }
    void clickButton(const char *name) { emit form->control<FlatButton>(name)->clicked(); }
    void clickArrow(const char *name) { form->control<QToolButton>(name)->click(); }
    QSlider *slider(const char *name) const { return form->control<QSlider>(name); }
    void chooseListItem(const char *list, int index)
    {
        form->control<RememberedList>(list)->chooseItem(index);
    }
    int fontColour(const char *name) const { return colorToInt(element(name)->fontColor()); }
    void fold() { form->control<CollapsiblePanel>("CollapsePanel1")->headerButton()->click(); }
};

} // namespace

// ---- Font panels: one open at a time, the button shows which ----

struct PanelRow {
    const char *button;
    const char *panel;
};

class FontPanels : public CardDesign, public ::testing::WithParamInterface<PanelRow> {};

TEST_P(FontPanels, OpenOneAndCloseTheOthers)
{
    // Another panel is open first; opening this one must close it.
    const char *other = QByteArray(GetParam().button) == "InfoBtn" ? "NameBtn" : "InfoBtn";
    clickButton(other);
    clickButton(GetParam().button);
    QWidget *panel = form->control(GetParam().panel);
    EXPECT_FALSE(panel->isHidden());
    EXPECT_EQ(QPoint(14, 287), panel->pos());
    EXPECT_EQ(card::kOpenPanelButtonColour,
              colorToInt(form->control<FlatButton>(GetParam().button)->color()));
    for (const char *name : {"FontCallSign1", "FontName1", "FontInfo1"})
        if (QByteArray(name) != GetParam().panel)
            EXPECT_TRUE(form->control(name)->isHidden()) << name;
    EXPECT_EQ(card::kClosedPanelButtonColour,
              colorToInt(form->control<FlatButton>(other)->color()));

    clickButton(GetParam().button);
    EXPECT_TRUE(panel->isHidden());
    EXPECT_EQ(card::kClosedPanelButtonColour,
              colorToInt(form->control<FlatButton>(GetParam().button)->color()));
}

INSTANTIATE_TEST_SUITE_P(Rows, FontPanels,
                         ::testing::Values(PanelRow{"CallSignBtn", "FontCallSign1"},
                                           PanelRow{"NameBtn", "FontName1"},
                                           PanelRow{"InfoBtn", "FontInfo1"}),
                         [](const auto &info) { return std::string(info.param.button); });

TEST_F(CardDesign, OpeningTheNamePanelSetsTheWidthBarToTheNameWidth)
{
    element("alName")->setWidth(200);
    clickButton("NameBtn");
    EXPECT_EQ(200, slider("IOTrackBar3")->value());
    EXPECT_EQ(200, element("alTown")->width());
    form->control<QToolButton>("Out1")->click();
    EXPECT_EQ(201, element("alName")->width());
    EXPECT_EQ(201, element("alAddress")->width());
}

// At the end of its range the width bar does not move, yet an arrow still gives the block
// the bar's width; with "Call" selected it does not.
TEST_F(CardDesign, WidthArrowsReapplyTheBarsWidthAtItsEnd)
{
    auto narrowTown = [this] {
        card::CardDesign design = form->cardDesign();
        design.places[size_t(card::textElementNames().indexOf("alTown") * 4 + 3)] = 300;
        form->showCardDesign(design);
    };
    slider("IOTrackBar3")->setValue(513);
    narrowTown();
    form->control<QToolButton>("Out1")->click();
    EXPECT_EQ(513, element("alTown")->width());

    check("RBCall1");
    narrowTown();
    form->control<QToolButton>("Out1")->click();
    EXPECT_EQ(300, element("alTown")->width());
}

// ---- Colours: fixed radios and the "Other" lists, per group ----

struct ColourRow {
    const char *label;
    const char *radio;       // a fixed colour radio of the group
    const char *list;        // the group's "Other" list
    int item;                // the item chosen after the radio; -1: the radio after an item
    std::vector<const char *> elements;
    int colour;
};

class ColourChoices : public CardDesign, public ::testing::WithParamInterface<ColourRow> {};

TEST_P(ColourChoices, ColourTheGroupsElements)
{
    const ColourRow &row = GetParam();
    if (row.item >= 0) {
        check(row.radio);   // a fixed colour first: choosing from the list unchecks it
        chooseListItem(row.list, row.item);
        const QString prefix = QString::fromLatin1(row.radio).section("Color", 0, 0) + "Color";
        for (QRadioButton *radio : form->findChildren<QRadioButton *>())
            if (radio->objectName().startsWith(prefix))
                EXPECT_FALSE(radio->isChecked()) << radio->objectName().toStdString();
    } else {
        chooseListItem(row.list, 0);
        check(row.radio);
        EXPECT_EQ("Other", form->control<RememberedList>(row.list)->currentText().toStdString());
        EXPECT_EQ(-1, form->control<RememberedList>(row.list)->chosenItem());
        EXPECT_EQ(Qt::ClickFocus, form->control(row.radio)->focusPolicy());
    }
    for (const char *name : row.elements)
        EXPECT_EQ(row.colour, fontColour(name)) << name;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ColourChoices,
    ::testing::Values(
        ColourRow{"NameMediumBlue", "NFColor00FF0000", "ComboBox1", -1,
                  {"alName", "alAddress", "alTown"}, 16711680},
        ColourRow{"CallSignRed", "CSFColor000000FF", "ComboBox2", -1, {"alCallSign"}, 255},
        ColourRow{"InfoOrange", "IFColor0042B2FF", "ComboBox3", -1,
                  {"alEmail", "al73", "alPseQSL", "alPseLoTW"}, 4371199},
        ColourRow{"InfoViolet", "IFColor0000FFFF", "ComboBox3", 52,
                  {"alEmail", "al73", "alPseQSL", "alPseLoTW"}, 16724991},
        ColourRow{"NamePeach", "NFColor00000000", "ComboBox1", 41,
                  {"alName", "alAddress", "alTown"}, 0x647EF9},
        ColourRow{"CallSignSea", "CSFColor00FFFFFF", "ComboBox2", 47, {"alCallSign"}, 0xB90F0B}),
    [](const auto &info) { return std::string(info.param.label); });

// ---- Name sizes: the line layout table ----

struct NameSizeRow {
    const char *radio;
    int height;
    int step;
};

class NameSizes : public CardDesign, public ::testing::WithParamInterface<NameSizeRow> {};

TEST_P(NameSizes, LayTheThreeLinesOut)
{
    check(GetParam().radio);
    const int top = element("alName")->top();
    for (const char *name : {"alName", "alAddress", "alTown"})
        EXPECT_EQ(GetParam().height, element(name)->height()) << name;
    EXPECT_EQ(top + GetParam().step, element("alAddress")->top());
    EXPECT_EQ(top + 2 * GetParam().step, element("alTown")->top());
    EXPECT_EQ(GetParam().step, form->nameLineStep());

    // A following move of the block uses the new step.
    check("RBName1");
    slider("UDTrackBar2")->setValue(100);
    EXPECT_EQ(100, element("alName")->top());
    EXPECT_EQ(100 + GetParam().step, element("alAddress")->top());
    EXPECT_EQ(100 + 2 * GetParam().step, element("alTown")->top());
}

INSTANTIATE_TEST_SUITE_P(Rows, NameSizes,
                         ::testing::Values(NameSizeRow{"NFSize8", 15, 15},
                                           NameSizeRow{"NFSize9", 16, 15},
                                           NameSizeRow{"NFSize10", 18, 15},
                                           NameSizeRow{"NFSize12", 21, 18}),
                         [](const auto &info) { return std::string(info.param.radio); });

// ---- Call sign: size, face, italic ----

TEST_F(CardDesign, CallSignFollowsItsPanel)
{
    check("CSFName3");
    slider("CSFTrackBar1")->setValue(40);
    check("CSFBold");
    check("CSFUnderline");
    const QFont font = element("alCallSign")->font();
    EXPECT_EQ("Courier New", font.family().toStdString());
    EXPECT_EQ(53, font.pixelSize());   // 40 pt at 96 per inch
    EXPECT_TRUE(font.bold());
    EXPECT_TRUE(font.underline());
}

// The lean is added to the measured width once: applying the style again, as every identity
// keystroke does, leaves the call sign as wide as before.
TEST_F(CardDesign, ItalicAddsEighteenPixelsOnce)
{
    const int upright = element("alCallSign")->width();
    check("CSFItalic");
    const int italic = element("alCallSign")->width();
    EXPECT_GE(italic, upright + 18);
    form->textStyles().applyCallSignStyle(nullptr);
    form->control<QLineEdit>("NameEdit1")->setText("Another Name");
    EXPECT_EQ(italic, element("alCallSign")->width());
}

// ---- Field positions ----

TEST_F(CardDesign, ElevenLeftStepsFromZeroStopAtMinusTen)
{
    check("RBCall1");
    slider("LRTrackBar1")->setValue(0);
    EXPECT_EQ(0, element("alCallSign")->left());
    for (int i = 0; i < 11; ++i)
        clickArrow("Left1");
    EXPECT_EQ(-10, element("alCallSign")->left());
    EXPECT_EQ(-10, slider("LRTrackBar1")->value());
}

struct SelectRow {
    const char *radio;
    const char *element;
};

class Selections : public CardDesign, public ::testing::WithParamInterface<SelectRow> {};

TEST_P(Selections, ShowThePlaceAndMoveOnlyTheirElement)
{
    CardLabel *e = element(GetParam().element);
    const QRect before = e->geometry();
    check(GetParam().radio);
    EXPECT_EQ(before, e->geometry());
    EXPECT_EQ(before.left(), slider("LRTrackBar1")->value());
    EXPECT_EQ(before.top(), slider("UDTrackBar2")->value());
    EXPECT_EQ(-10, slider("LRTrackBar1")->minimum());
    EXPECT_EQ(-23, slider("UDTrackBar2")->minimum());

    clickArrow("Right1");
    clickArrow("Down1");
    clickArrow("Down1");
    EXPECT_EQ(before.topLeft() + QPoint(1, 2), e->geometry().topLeft());

    // Dragged below the card it no longer shows; selecting it again shows where it is.
    slider("UDTrackBar2")->setValue(500);
    EXPECT_EQ(500, e->top());
    fold();
    EXPECT_FALSE(form->control<QRadioButton>(GetParam().radio)->isChecked());
    EXPECT_EQ(500, e->top());
    check(GetParam().radio);
    EXPECT_EQ(500, slider("UDTrackBar2")->value());
}

INSTANTIATE_TEST_SUITE_P(Rows, Selections,
                         ::testing::Values(SelectRow{"RBCall1", "alCallSign"},
                                           SelectRow{"RBName1", "alName"},
                                           SelectRow{"RBEmail1", "alEmail"},
                                           SelectRow{"RB73s1", "al73"},
                                           SelectRow{"RBQSL1", "alPseQSL"},
                                           SelectRow{"RBLoTW1", "alPseLoTW"}),
                         [](const auto &info) { return std::string(info.param.radio); });

TEST_F(CardDesign, FoldingClearsTheSelectionWithoutMovingAnything)
{
    check("RBEmail1");
    slider("LRTrackBar1")->setValue(40);
    clickButton("InfoBtn");
    QList<QRect> before;
    for (const QString &name : card::textElementNames())
        before << form->control<CardLabel>(name)->geometry();

    fold();
    for (int i = 0; i < card::textElementNames().size(); ++i)
        EXPECT_EQ(before[i], form->control<CardLabel>(card::textElementNames()[i])->geometry())
            << card::textElementNames()[i].toStdString();
    for (const char *radio : {"RBCall1", "RBName1", "RBEmail1", "RB73s1", "RBQSL1", "RBLoTW1"})
        EXPECT_FALSE(form->control<QRadioButton>(radio)->isChecked()) << radio;
    EXPECT_EQ(0, slider("LRTrackBar1")->value());
    EXPECT_EQ(0, slider("UDTrackBar2")->minimum());
    EXPECT_TRUE(form->control("FontInfo1")->isHidden());

    // An arrow with nothing selected moves the slider only.
    clickArrow("Right1");
    EXPECT_EQ(1, slider("LRTrackBar1")->value());
    EXPECT_EQ(before[card::textElementNames().indexOf("alEmail")],
              element("alEmail")->geometry());
}

// A chosen item shows its colour name, not its hexadecimal tail; text the operator types
// keeps his cursor where he types.
TEST_F(CardDesign, ChosenListItemShowsItsStart)
{
    auto *list = form->control<RememberedList>("ComboBox2");
    list->lineEdit()->setCursorPosition(3);
    chooseListItem("ComboBox2", 52);
    EXPECT_EQ(0, list->lineEdit()->cursorPosition());

    list->lineEdit()->setText("Vio");
    EXPECT_EQ(3, list->lineEdit()->cursorPosition());
    EXPECT_EQ(54, list->count());
}
