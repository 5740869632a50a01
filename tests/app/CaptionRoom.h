#pragma once

#include <QCheckBox>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

// A check box shows a caption, whole in its own face, and its whole box, inside the box's own
// place and within its parent's width.
inline void expectWholeCheckCaption(const QCheckBox *box)
{
    SCOPED_TRACE(box->objectName().toStdString());
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    const QRect contents = box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box);
    EXPECT_FALSE(box->text().isEmpty());
    EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->text()), box->width() - contents.left());
    EXPECT_TRUE(box->rect().contains(indicator));
    // Across its parent: a folded panel may hide it from below, never cut it at a side.
    EXPECT_GE(box->geometry().left(), 0);
    EXPECT_LT(box->geometry().right(), box->parentWidget()->width());
}
