#include "CollapsiblePanel.h"

#include "Colors.h"
#include "Pixels.h"

#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// Records every height the panel is given, in order.
class HeightRecorder : public QObject
{
public:
    std::vector<int> heights;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Resize)
            heights.push_back(static_cast<QResizeEvent *>(event)->size().height());
        return false;
    }
};

struct PanelFixture {
    QWidget window;
    CollapsiblePanel *panel;
    HeightRecorder recorder;
    std::vector<int> announced;
    explicit PanelFixture(int height = 467)
    {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, colorFromInt(11395047));
        window.setPalette(palette);
        panel = new CollapsiblePanel(&window);
        panel->setGeometry(10, 10, 204, height);
        window.resize(300, 520);
        window.show();
        panel->installEventFilter(&recorder);
        QObject::connect(panel, &CollapsiblePanel::heightStepped,
                         [this](int h) { announced.push_back(h); });
    }
};

struct FoldCase {
    const char *name;
    int height;
    int step;
};

class PanelFoldTest : public ::testing::TestWithParam<FoldCase> {};

TEST_P(PanelFoldTest, FoldsAndUnfoldsThroughTheGrid)
{
    const FoldCase &c = GetParam();
    PanelFixture f(c.height);
    f.panel->fold();
    EXPECT_TRUE(f.panel->isCollapsed());
    std::vector<int> down = f.recorder.heights;
    EXPECT_EQ(f.announced, down);
    ASSERT_FALSE(down.empty());
    EXPECT_EQ(down.back(), 17);
    down.pop_back();
    ASSERT_FALSE(down.empty());
    const int firstStep = c.height - 1 - (c.height - 1) % c.step;
    EXPECT_EQ(down.front(), firstStep);
    for (size_t i = 0; i < down.size(); ++i) {
        EXPECT_EQ(down[i] % c.step, 0) << down[i];
        if (i > 0)
            EXPECT_EQ(down[i - 1] - down[i], c.step);
    }
    EXPECT_LE(down.back() - 17, c.step);

    f.recorder.heights.clear();
    f.panel->unfold();
    EXPECT_FALSE(f.panel->isCollapsed());
    std::vector<int> up = f.recorder.heights;
    ASSERT_FALSE(up.empty());
    EXPECT_EQ(up.back(), c.height);
    up.pop_back();
    for (size_t i = 0; i < up.size(); ++i) {
        EXPECT_EQ(up[i] % c.step, 0) << up[i];
        if (i > 0)
            EXPECT_EQ(up[i] - up[i - 1], c.step);
    }
    EXPECT_EQ(f.panel->height(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Heights, PanelFoldTest,
                         ::testing::Values(FoldCase{"Interface467", 467, 4},
                                           FoldCase{"Exactly300", 300, 4},
                                           FoldCase{"Below300", 299, 1},
                                           FoldCase{"Small", 60, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(PanelHeader, ButtonFoldsAndUnfoldsWithoutAutoClose)
{
    PanelFixture f;
    QToolButton *button = f.panel->headerButton();
    EXPECT_EQ(button->geometry(), QRect(1, 1, 14, 14));
    EXPECT_EQ(button->text(), QStringLiteral("L"));
    button->click();
    EXPECT_EQ(f.panel->height(), 17);
    f.panel->setCollapsed(true);  // already folded: the unfolded height stays
    button->click();
    EXPECT_EQ(f.panel->height(), 467);
}

TEST(PanelHeader, ColourIsDarkerBeforeTheFirstPaint)
{
    PanelFixture f;
    EXPECT_EQ(f.panel->headerColor(), QColor(131, 123, 73));
    f.panel->setColor(colorFromInt(11395047));
    const QImage image = renderOver(*f.panel);
    EXPECT_EQ(f.panel->headerColor(), QColor(211, 203, 153));
    EXPECT_EQ(pixelAt(image, 100, 8), QColor(211, 203, 153));
    EXPECT_EQ(pixelAt(image, 100, 100), QColor(231, 223, 173));
    f.panel->setColor(QColor(10, 30, 200));  // no channel goes below 0
    renderOver(*f.panel);
    EXPECT_EQ(f.panel->headerColor(), QColor(0, 10, 180));
}

// A step of the pointer or the clock and the state it must leave.
struct AutoCase {
    const char *name;
    bool autoClose;
    bool pin;
    std::function<void(CollapsiblePanel &)> script;
    bool timerActive;
    bool collapsed;
};

class PanelAutoCloseTest : public ::testing::TestWithParam<AutoCase> {};

TEST_P(PanelAutoCloseTest, PointerAndTimer)
{
    const AutoCase &c = GetParam();
    PanelFixture f;
    f.panel->setAutoClose(c.autoClose);
    if (c.pin)
        f.panel->headerButton()->click();
    c.script(*f.panel);
    EXPECT_EQ(f.panel->isTimerActive(), c.timerActive);
    EXPECT_EQ(f.panel->isCollapsed(), c.collapsed);
    EXPECT_EQ(f.panel->height(), c.collapsed ? 17 : 467);
}

void leave(CollapsiblePanel &p) { sendLeave(p); }
void leaveAndTick(CollapsiblePanel &p)
{
    sendLeave(p);
    if (p.isTimerActive())
        p.autoCloseTick();
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, PanelAutoCloseTest,
    ::testing::Values(
        AutoCase{"LeaveStartsTheTimer", true, false, leave, true, false},
        AutoCase{"TimerFolds", true, false, leaveAndTick, false, true},
        AutoCase{"PinnedStaysOpen", true, true, leaveAndTick, false, false},
        AutoCase{"PlainPanelIgnoresThePointer", false, false, leaveAndTick, false, false},
        AutoCase{"EnterStopsTheTimer", true, false,
                 [](CollapsiblePanel &p) {
                     sendLeave(p);
                     sendEnter(p);
                 },
                 false, false},
        AutoCase{"EnterUnfolds", true, false,
                 [](CollapsiblePanel &p) {
                     leaveAndTick(p);
                     sendEnter(p);
                 },
                 false, false},
        AutoCase{"UnpinnedAgainFolds", true, true,
                 [](CollapsiblePanel &p) {
                     p.headerButton()->click();
                     leaveAndTick(p);
                 },
                 false, true},
        AutoCase{"SwitchingAutoCloseOffStopsTheTimer", true, false,
                 [](CollapsiblePanel &p) {
                     sendLeave(p);
                     p.setAutoClose(false);
                 },
                 false, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
