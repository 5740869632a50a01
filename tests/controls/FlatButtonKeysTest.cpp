#include "FlatButton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QKeyEvent>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <vector>

namespace {

struct Key {
    int key;
    bool press;        // a press, else a release
    bool autoRepeat;
};

struct KeyRow {
    const char *name;
    std::vector<Key> keys;
    bool enabled;                    // the button's own Enabled flag
    int clicks;
    FlatButton::Look lookAfterFirst; // the look after the first key event
};

struct FocusedButton {
    QWidget parent;
    FlatButton button{&parent};
    FocusedButton()
    {
        button.setCaption("Create JPG");
        parent.resize(100, 40);
        parent.show();
        QApplication::setActiveWindow(&parent);
        button.setFocus();
    }
    void send(const Key &k)
    {
        QKeyEvent event(k.press ? QEvent::KeyPress : QEvent::KeyRelease, k.key, Qt::NoModifier,
                        QString(), k.autoRepeat);
        QApplication::sendEvent(&button, &event);
    }
};

class ButtonKeys : public ::testing::TestWithParam<KeyRow> {};

// Focused, the button answers the keys a push button answers: Space clicks on release,
// Return and Enter at once; repeats of a held key click nothing more.
TEST_P(ButtonKeys, ClickLikeAPushButton)
{
    const KeyRow &row = GetParam();
    FocusedButton f;
    f.button.setButtonEnabled(row.enabled);
    QSignalSpy clicked(&f.button, &FlatButton::clicked);
    QSignalSpy mouseUp(&f.button, &FlatButton::mouseUp);
    for (size_t i = 0; i < row.keys.size(); ++i) {
        f.send(row.keys[i]);
        if (i == 0)
            EXPECT_EQ(row.lookAfterFirst, f.button.look());
    }
    EXPECT_EQ(row.clicks, clicked.count());
    EXPECT_EQ(0, mouseUp.count());
    EXPECT_EQ(FlatButton::Look::Normal, f.button.look());
}

using L = FlatButton::Look;
const Key spaceDown{Qt::Key_Space, true, false};
const Key spaceRepeat{Qt::Key_Space, true, true};
const Key spaceUp{Qt::Key_Space, false, false};
const Key returnDown{Qt::Key_Return, true, false};
const Key returnUp{Qt::Key_Return, false, false};
const Key returnRepeat{Qt::Key_Return, true, true};
const Key enterDown{Qt::Key_Enter, true, false};
const Key letterDown{Qt::Key_A, true, false};

INSTANTIATE_TEST_SUITE_P(
    Keys, ButtonKeys,
    ::testing::Values(
        KeyRow{"space", {spaceDown, spaceUp}, true, 1, L::Pressed},
        KeyRow{"spaceHeld", {spaceDown, spaceRepeat, spaceRepeat, spaceUp}, true, 1, L::Pressed},
        KeyRow{"spaceReleaseOnly", {spaceUp}, true, 0, L::Normal},
        KeyRow{"return", {returnDown, returnUp}, true, 1, L::Normal},
        KeyRow{"returnHeld", {returnDown, returnRepeat, returnRepeat, returnUp}, true, 1, L::Normal},
        KeyRow{"enter", {enterDown}, true, 1, L::Normal},
        KeyRow{"otherKey", {letterDown}, true, 0, L::Normal},
        KeyRow{"lockedSpace", {spaceDown, spaceUp}, false, 0, L::Normal},
        KeyRow{"lockedReturn", {returnDown}, false, 0, L::Normal}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ButtonKeys, SpaceHeldWhileTheFocusLeavesClicksNothing)
{
    FocusedButton f;
    QWidget other(&f.parent);
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    QSignalSpy clicked(&f.button, &FlatButton::clicked);
    f.send(spaceDown);
    other.setFocus();
    f.send(spaceUp);
    EXPECT_EQ(0, clicked.count());
    EXPECT_EQ(FlatButton::Look::Normal, f.button.look());
}

// The button takes no focus of its own accord: Tab passes it by.
TEST(ButtonKeys, NoTabStop)
{
    FlatButton button;
    EXPECT_EQ(Qt::NoFocus, button.focusPolicy());
}

struct AccessibleRow {
    const char *name;
    const char *caption;        // nullptr: none set, the object name stands in
    const char *accessibleName; // set on purpose, or nullptr
    bool enabled;
    const char *expectedName;
    int clicksByPress;
};

class ButtonAccessibility : public ::testing::TestWithParam<AccessibleRow> {};

TEST_P(ButtonAccessibility, PushButtonNamedByItsCaption)
{
    const AccessibleRow &row = GetParam();
    QWidget parent;
    FlatButton button(&parent);
    button.setObjectName("JPGButton1");
    if (row.caption)
        button.setCaption(row.caption);
    if (row.accessibleName)
        button.setAccessibleName(row.accessibleName);
    button.setButtonEnabled(row.enabled);
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(nullptr, face);
    EXPECT_EQ(QAccessible::Button, face->role());
    EXPECT_EQ(std::string(row.expectedName), face->text(QAccessible::Name).toStdString());
    EXPECT_EQ(!row.enabled, bool(face->state().disabled));
    QSignalSpy clicked(&button, &FlatButton::clicked);
    QAccessibleActionInterface *actions = face->actionInterface();
    ASSERT_NE(nullptr, actions);
    EXPECT_EQ(row.enabled, actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
    actions->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(row.clicksByPress, clicked.count());
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ButtonAccessibility,
    ::testing::Values(AccessibleRow{"caption", "Create JPG", nullptr, true, "Create JPG", 1},
                      AccessibleRow{"objectName", nullptr, nullptr, true, "JPGButton1", 1},
                      AccessibleRow{"setOnPurpose", "@", "Add the at sign", true, "Add the at sign", 1},
                      AccessibleRow{"locked", "Print", nullptr, false, "Print", 0}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
