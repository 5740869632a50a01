#include "TabRingPanel.h"

QList<QWidget *> TabRingPanel::tabStops() const
{
    QList<QWidget *> stops;
    // The focus chain is a ring through the whole window; one turn from the panel meets
    // each of its controls once.
    for (QWidget *w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) {
        if (isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) == Qt::TabFocus && w->isEnabled()
            && w->isVisibleTo(this) && !w->focusProxy())
            stops << w;
    }
    return stops;
}

bool TabRingPanel::focusNextPrevChild(bool next)
{
    const QList<QWidget *> stops = tabStops();
    if (stops.isEmpty())
        return QFrame::focusNextPrevChild(next);
    QWidget *current = window()->focusWidget();
    // A control's inner part (a combo box's edit) counts as the control.
    while (current && current != this && !stops.contains(current))
        current = current->parentWidget();
    const int n = int(stops.size());
    const int at = stops.indexOf(current);
    const int target = at < 0 ? (next ? 0 : n - 1) : (at + (next ? 1 : n - 1)) % n;
    stops.at(target)->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
