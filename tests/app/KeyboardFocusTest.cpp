#include "KeyboardFocus.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

// A window with a ring of three fields, a shown button, a button clipped away by its small
// parent (a folded panel), a hidden button and a button Tab does not stop at.
struct FocusWindow {
    QWidget window;
    QLineEdit a{&window}, b{&window}, c{&window};
    QPushButton shown{&window};
    QWidget folded{&window};
    QPushButton clipped{&folded};
    QPushButton hidden{&window};
    QPushButton clickOnly{&window};
    FocusWindow()
    {
        window.resize(300, 200);
        a.setGeometry(0, 0, 50, 20);
        b.setGeometry(60, 0, 50, 20);
        c.setGeometry(120, 0, 50, 20);
        shown.setGeometry(0, 40, 50, 20);
        folded.setGeometry(0, 80, 200, 16);   // only a header's height left
        clipped.setGeometry(0, 30, 50, 20);
        hidden.setGeometry(60, 40, 50, 20);
        hidden.hide();
        clickOnly.setGeometry(120, 40, 50, 20);
        clickOnly.setFocusPolicy(Qt::ClickFocus);
        window.show();
    }
    QList<QWidget *> ring() { return {&a, &b, &c}; }
    QWidget *byName(const std::string &name)
    {
        const std::map<std::string, QWidget *> all = {
            {"a", &a}, {"b", &b}, {"c", &c}, {"shown", &shown}, {"clipped", &clipped}};
        return all.at(name);
    }
};

struct TabRow {
    const char *name;
    const char *from;
    bool forward;
    const char *expected;
};

void PrintTo(const TabRow &row, std::ostream *os) { *os << row.name; }

class TabTargets : public ::testing::TestWithParam<TabRow>
{
};

TEST_P(TabTargets, StayInTheRingAndInView)
{
    const TabRow &row = GetParam();
    FocusWindow w;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    EXPECT_EQ(w.byName(row.expected), keyboardTarget(w.byName(row.from), row.forward, w.ring()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TabTargets,
    ::testing::Values(TabRow{"RingForward", "a", true, "b"},
                      TabRow{"RingWrapsForward", "c", true, "a"},
                      TabRow{"RingWrapsBackward", "a", false, "c"},
                      TabRow{"OutsideSkipsClippedHiddenAndClickOnly", "shown", true, "a"},
                      TabRow{"OutsideBackward", "shown", false, "c"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(KeyboardReach, OnlyWhatCanBeSeen)
{
    FocusWindow w;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.window));
    struct Row { const QWidget *widget; bool reachable; };
    const Row rows[] = {
        {&w.a, true}, {&w.shown, true}, {&w.clipped, false}, {&w.hidden, false},
        {&w.clickOnly, false}, {nullptr, false},
    };
    for (const Row &row : rows)
        EXPECT_EQ(row.reachable, reachableByKeyboard(row.widget));
    // Unfolded, the clipped button comes into view.
    w.folded.resize(200, 60);
    EXPECT_TRUE(reachableByKeyboard(&w.clipped));
}

struct KeepRow {
    const char *name;
    bool clicked;
    int before, now, target; // 0: none, 1: the field, 2: another field
    bool keeps;
};

class ClickFocus : public ::testing::TestWithParam<KeepRow> {};

// A click seen before the activation keeps its focus when it moved the focus or landed on the
// control that has it; otherwise the activation puts the keyboard on the call sign.
TEST_P(ClickFocus, KeepsTheFocusTheClickGave)
{
    const KeepRow &row = GetParam();
    QLineEdit field, other;
    const QWidget *widgets[] = {nullptr, &field, &other};
    EXPECT_EQ(row.keeps, clickKeepsFocus(row.clicked, widgets[row.before], widgets[row.now],
                                         widgets[row.target]));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ClickFocus,
    ::testing::Values(KeepRow{"NoClick", false, 2, 1, 1, false},
                      KeepRow{"ClickMovedTheFocus", true, 2, 1, 1, true},
                      KeepRow{"ClickOnTheFocusedField", true, 1, 1, 1, true},
                      KeepRow{"ClickOnAControlWithoutFocus", true, 1, 1, 0, false},
                      KeepRow{"HandlerMovedTheFocus", true, 1, 2, 0, true},
                      KeepRow{"NoFocusAtAll", true, 0, 0, 0, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ClickFocusTarget, NearestEnabledParentThatTakesAClick)
{
    QWidget window;
    QWidget panel(&window);
    QLineEdit edit(&panel);
    QWidget plain(&panel);
    QWidget inner(&plain);
    EXPECT_EQ(&edit, clickFocusTarget(&edit));
    EXPECT_EQ(nullptr, clickFocusTarget(&inner));
    plain.setFocusPolicy(Qt::ClickFocus);
    EXPECT_EQ(&plain, clickFocusTarget(&inner));
    plain.setEnabled(false);
    EXPECT_EQ(nullptr, clickFocusTarget(&inner));
    EXPECT_EQ(nullptr, clickFocusTarget(nullptr));
}

} // namespace
