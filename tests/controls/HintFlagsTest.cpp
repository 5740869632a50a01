#include "HintFlags.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

TEST(HintFlags, ParentShowHintFollowsTheParentUntilShowHintIsSet)
{
    struct Row {
        const char *name;
        QVariant parentShowHint;  // invalid: the parent has no such property
        int ownShowHint;          // -1: never set
        bool followParentAfter;   // ParentShowHint switched on again afterwards
        bool shown;
    };
    const Row rows[] = {
        {"PlainParent", QVariant(), -1, false, true},
        {"ParentSaysNo", QVariant(false), -1, false, false},
        {"ParentSaysYes", QVariant(true), -1, false, true},
        {"OwnNoOverridesParent", QVariant(true), 0, false, false},
        {"OwnYesOverridesParent", QVariant(false), 1, false, true},
        {"FollowParentAgain", QVariant(false), 1, true, false},
    };
    QEvent tooltip(QEvent::ToolTip);
    QEvent other(QEvent::MouseMove);
    for (const Row &row : rows) {
        QWidget parent;
        if (row.parentShowHint.isValid())
            parent.setProperty("ShowHint", row.parentShowHint);
        QWidget control(&parent);
        HintFlags flags;
        if (row.ownShowHint >= 0)
            flags.setShowHint(row.ownShowHint == 1);
        if (row.followParentAfter)
            flags.setParentShowHint(true);
        EXPECT_EQ(flags.hintsShown(&control), row.shown) << row.name;
        EXPECT_EQ(flags.suppresses(&control, &tooltip), !row.shown) << row.name;
        EXPECT_FALSE(flags.suppresses(&control, &other)) << row.name;
    }
}

} // namespace
