#include "KeyboardFocus.h"

#include <QWidget>

bool reachableByKeyboard(const QWidget *widget)
{
    return widget && (widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled()
           && widget->isVisible() && !widget->focusProxy() && !widget->visibleRegion().isEmpty();
}

QWidget *keyboardTarget(QWidget *current, bool forward, const QList<QWidget *> &ring)
{
    if (!current)
        return nullptr;
    const int at = ring.indexOf(current);
    if (at >= 0) {
        const int n = int(ring.size());
        return ring.at((at + (forward ? 1 : n - 1)) % n);
    }
    const QWidget *window = current->window();
    // The focus chain is a ring through the window and all its widgets; one turn is enough.
    for (QWidget *w = current;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (!w || w == current)
            return nullptr;
        if (window->isAncestorOf(w) && reachableByKeyboard(w))
            return w;
    }
}
