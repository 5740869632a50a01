// Every control of the main window stands where the window description puts it, on the parent
// it names, with its caption, once the window has started.
#include "MainWindowFixture.h"

#include "FlatButton.h"
#include "WindowDescription.h"

#include <QAbstractButton>
#include <QGroupBox>

#include <ostream>

void PrintTo(const QRect &r, std::ostream *os)
{
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

TEST_F(MainWindowFixture, EveryControlStandsWhereTheDescriptionPutsIt)
{
    start();
    for (const ControlRow &row : mainWindowDescription()) {
        SCOPED_TRACE(row.name.toStdString());
        auto *w = form->findChild<QWidget *>(row.name);
        ASSERT_NE(nullptr, w);
        EXPECT_EQ(row.parent.isEmpty() ? QString("Form1") : row.parent,
                  w->parentWidget()->objectName());
        if (row.flags & AutoSize)
            EXPECT_EQ(row.geometry.topLeft(), w->geometry().topLeft());
        else if (row.cls == ControlClass::CollapsiblePanel)   // starts collapsed to its title
            EXPECT_EQ(QRect(row.geometry.topLeft(), QSize(row.geometry.width(), w->height())),
                      w->geometry());
        else
            EXPECT_EQ(row.geometry, w->geometry());
        if (row.caption.isEmpty())
            continue;   // captioned from a pick list, or no caption
        if (auto *b = qobject_cast<FlatButton *>(w))
            EXPECT_EQ(row.caption, b->caption());
        else if (auto *a = qobject_cast<QAbstractButton *>(w))
            EXPECT_EQ(row.caption, a->text());
        else if (auto *g = qobject_cast<QGroupBox *>(w))
            EXPECT_EQ(row.caption, g->title());
    }
}
