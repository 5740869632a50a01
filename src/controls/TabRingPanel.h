#pragma once

#include <QFrame>
#include <QList>

// A panel laid over its window as a small form of its own (the mail settings): Tab and
// Shift+Tab run round the panel's controls, in the window's focus-chain order, last to first,
// and never leave the panel for the controls beneath it.
class TabRingPanel : public QFrame
{
    Q_OBJECT
public:
    using QFrame::QFrame;

    // The panel's controls Tab stops at, in order: those that take the focus by Tab, are
    // enabled and shown.
    QList<QWidget *> tabStops() const;

protected:
    bool focusNextPrevChild(bool next) override;
};
