// Features of the main window hosted on their own: a small host that builds only the controls
// the feature connects (with the card) and gives it only the hosts it asks for, so the feature
// is tried without the whole window.
#include "CardLabel.h"
#include "CardShape.h"
#include "CardDocument.h"
#include "DesignBinding.h"
#include "HandlerGuard.h"
#include "KartelloError.h"
#include "ScriptedDialogs.h"
#include "WindowBuilder.h"
#include "WindowDescription.h"
#include "Colors.h"
#include "features/CardOptionsController.h"
#include "features/ControlLookup.h"
#include "features/FeatureHosts.h"
#include "features/FieldPositionsController.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QSlider>
#include <QToolButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

// The controls by name and the keyboard focus, nothing else of the window; the focus host
// only records what the feature asked of it.
class SmallHost : public QWidget, public ControlLookup, public KeyboardFocusHost
{
public:
    // Builds the rows named in controls, the rows that hold them and the card.
    explicit SmallHost(const QStringList &controls)
    {
        QStringList wanted = controls + QStringList{"tAlBand1"};
        const std::vector<ControlRow> &all = mainWindowDescription();
        for (int i = 0; i < wanted.size(); ++i) {
            const auto row = std::find_if(all.begin(), all.end(),
                                          [&](const ControlRow &r) { return r.name == wanted[i]; });
            if (row != all.end() && !row->parent.isEmpty() && !wanted.contains(row->parent))
                wanted << row->parent;
        }
        std::vector<ControlRow> rows;
        std::copy_if(all.begin(), all.end(), std::back_inserter(rows),
                     [&](const ControlRow &r) { return wanted.contains(r.name); });
        buildWindow(this, rows);
    }

    QWidget &hostWidget() override { return *this; }
    const QWidget &hostWidget() const override { return *this; }
    void removeFromTabOrder(QObject *control) override
    {
        if (control)
            leftTabOrder << control->objectName();
    }
    void focusCallSign() override { ++callSignFocused; }

    QStringList leftTabOrder;
    int callSignFocused = 0;
};

const QStringList CardOptionControls = {
    "CBPseQSL", "CBPseLoTW", "CBShow73", "CBShowEmail1", "CBTranspName", "CBTranspEmail",
    "CBTranspTitles", "CBTransp73Pse", "CBFrameInfo1", "CBFrameCard1", "CBSendEnabled", "CBIsoDate",
    "RBBkgClr1", "RBBkgClr2", "RBBkgClr3", "RBBkgClr4", "RBBkgClr5", "RBBkgClr6", "RBBkgClr7",
    "RBBkgClr8", "RBBkgClr9", "RBBkgClr0", "HL1", "HL2", "HL3", "Panel5", "GroupBox1",
    "GroupBox2", "GroupBox3", "GroupBox4", "EncartaButton1", "ClipBoardButton1",
    "QsosPerCardBar", "QsosPerCardLabel"};

TEST(FeatureAlone, CardOptionsWorkOnASmallHost)
{
    SmallHost host(CardOptionControls);
    DesignBinding design(*host.control<CardDocument>("cardDocument"));
    CardOptionsController options(host, host, design);
    auto *frame = host.control<CardShape>("AlShape15");
    host.control<QCheckBox>("CBFrameCard1")->setChecked(true);
    EXPECT_TRUE(frame->visible());
    host.control<QCheckBox>("CBFrameCard1")->setChecked(false);
    EXPECT_FALSE(frame->visible());
    host.control<QCheckBox>("CBPseLoTW")->setChecked(true);
    EXPECT_TRUE(host.control<CardLabel>("alPseLoTW")->visible());
    EXPECT_EQ(QStringList({"CBFrameCard1", "CBFrameCard1", "CBPseLoTW"}), host.leftTabOrder);
    // Once as the options are applied and once more for the box clicked.
    EXPECT_EQ(6, host.callSignFocused);
    // The colours kept for the next application are those the table's boxes show.
    EXPECT_EQ(colorFromInt(options.boxColours().box), host.control<CardLabel>("alMode")->color());
    // "QSOs per card" goes into the design and its label, and leaves the keyboard where it is.
    host.control<QSlider>("QsosPerCardBar")->setValue(4);
    EXPECT_EQ(4, design.design().options.qsosPerCard);
    EXPECT_EQ("QSOs per card: 4", host.control<QLabel>("QsosPerCardLabel")->text());
    EXPECT_EQ(6, host.callSignFocused);
}

TEST(FeatureAlone, AControlTheFeatureNeedsMissingStopsItNamingTheControl)
{
    QStringList controls = CardOptionControls;
    controls.removeAll("CBTranspEmail");
    SmallHost host(controls);
    try {
        DesignBinding design(*host.control<CardDocument>("cardDocument"));
        CardOptionsController options(host, host, design);
        ADD_FAILURE() << "the feature started without CBTranspEmail";
    } catch (const MissingControlError &e) {
        EXPECT_NE(std::string(e.what()).find("\"CBTranspEmail\""), std::string::npos) << e.what();
    }
}

// Field positions on a host of their own: a selection radio, the two sliders, maybe an arrow;
// where the moved elements stand afterwards.
struct PositionRow
{
    const char *name;
    const char *radio;
    int namePoints;   // the name's size, which sets the step from line to line
    int left, top;
    const char *arrow;   // clicked last; nullptr for none
    std::vector<std::pair<const char *, QPoint>> placed;
    int widthReapplies;   // times the name block's width is asked for again
};

void PrintTo(const PositionRow &row, std::ostream *os)
{
    *os << row.name << " (" << row.radio << ", name " << row.namePoints << "pt" << ", " << row.left
        << "," << row.top << ", arrow " << (row.arrow ? row.arrow : "none") << ")";
}

class FieldPositionsAlone : public ::testing::TestWithParam<PositionRow>
{
};

TEST_P(FieldPositionsAlone, MoveTheSelectedElements)
{
    const PositionRow &row = GetParam();
    SmallHost host({"RBCall1", "RBName1", "RBEmail1", "RB73s1", "RBQSL1", "RBLoTW1", "LRTrackBar1",
                    "UDTrackBar2", "Left1", "Right1", "Up1", "Down1", "In1", "Out1", "IOTrackBar3",
                    "CollapsePanel1"});
    CardDocument &document = *host.control<CardDocument>("cardDocument");
    DesignBinding design(document);
    FieldPositionsController positions(host, host, design);
    QSignalSpy widthReapplies(&positions, &FieldPositionsController::nameBlockWidthToReapply);
    // The step the name's size sets is the one the name block moves by.
    card::CardDesign sized = design.design();
    sized.name.points = row.namePoints;
    design.setDesign(sized);
    host.control<QRadioButton>(row.radio)->setChecked(true);
    host.control<QSlider>("LRTrackBar1")->setValue(row.left);
    host.control<QSlider>("UDTrackBar2")->setValue(row.top);
    if (row.arrow)
        host.control<QToolButton>(row.arrow)->click();
    for (const auto &[element, at] : row.placed) {
        const auto *label = host.control<CardLabel>(element);
        EXPECT_EQ(at, QPoint(label->left(), label->top())) << element;
    }
    EXPECT_EQ(row.widthReapplies, widthReapplies.count());
    EXPECT_TRUE(host.leftTabOrder.contains(row.radio));
    EXPECT_GE(host.callSignFocused, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FieldPositionsAlone,
    ::testing::Values(
        PositionRow{"CallSignAlone", "RBCall1", 8, 30, 50, nullptr, {{"alCallSign", {30, 50}}}, 0},
        PositionRow{"NameBlockByTheStepOf18", "RBName1", 12, 40, 100, nullptr,
                    {{"alName", {40, 100}}, {"alAddress", {40, 118}}, {"alTown", {40, 136}}}, 0},
        PositionRow{"NameBlockByTheStepOf15", "RBName1", 10, 40, 100, nullptr,
                    {{"alName", {40, 100}}, {"alAddress", {40, 115}}, {"alTown", {40, 130}}}, 0},
        PositionRow{"RightArrowNudgesTheEmail", "RBEmail1", 8, 60, 70, "Right1",
                    {{"alEmail", {61, 70}}}, 0},
        PositionRow{"OutWidensTheNameBlock", "RBName1", 8, 40, 100, "Out1",
                    {{"alName", {40, 100}}, {"alAddress", {40, 115}}}, 1},
        PositionRow{"OutLeavesTheCallSignsWidth", "RBCall1", 8, 30, 50, "Out1",
                    {{"alCallSign", {30, 50}}}, 0}),
    [](const ::testing::TestParamInfo<PositionRow> &info) { return std::string(info.param.name); });

// connectGuarded(): the signal's arguments reach the handler, and an error the handler throws
// is reported and goes no further than the handler.
struct GuardedRow
{
    const char *name;
    std::vector<int> values;   // set on a slider one after another
    int failingValue;          // the handler throws on this one
    std::vector<int> seen;
    int errorsReported;
};

void PrintTo(const GuardedRow &row, std::ostream *os)
{
    *os << row.name << " (fails on " << row.failingValue << ")";
}

class ConnectGuarded : public ::testing::TestWithParam<GuardedRow>
{
};

TEST_P(ConnectGuarded, RunsTheHandlerWithTheSignalsArgumentsThroughTheGuard)
{
    const GuardedRow &row = GetParam();
    ScriptedDialogs dialogs;
    QSlider slider;
    slider.setRange(0, 100);
    std::vector<int> seen;
    connectGuarded(&slider, &QSlider::valueChanged, &slider, [&](int value) {
        seen.push_back(value);
        if (value == row.failingValue)
            throw KartelloError(QStringLiteral("failed on %1").arg(value));
    });
    for (int value : row.values)
        slider.setValue(value);
    EXPECT_EQ(row.seen, seen);
    EXPECT_EQ(row.errorsReported, dialogs.texts("error").size());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ConnectGuarded,
    ::testing::Values(GuardedRow{"NoFailure", {3, 7}, -1, {3, 7}, 0},
                      GuardedRow{"FailureInTheMiddle", {3, 7, 9}, 7, {3, 7, 9}, 1},
                      GuardedRow{"FailureFirstTheNextStillRuns", {5, 6}, 5, {5, 6}, 1}),
    [](const ::testing::TestParamInfo<GuardedRow> &info) { return std::string(info.param.name); });

} // namespace
