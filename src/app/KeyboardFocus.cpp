#include "KeyboardFocus.h"

#include "TabRingPanel.h"

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

QWidget *openFormFocus(const QWidget *window)
{
    for (TabRingPanel *form : window->findChildren<TabRingPanel *>()) {
        if (!form->isVisible())
            continue;
        const QList<QWidget *> stops = form->tabStops();
        if (stops.contains(form->focusWidget()))
            return form->focusWidget();
        return stops.value(0);
    }
    return nullptr;
}

QWidget *clickFocusTarget(QWidget *pressed)
{
    for (QWidget *widget = pressed; widget; widget = widget->parentWidget()) {
        if (widget->isEnabled() && (widget->focusPolicy() & Qt::ClickFocus))
            return widget;
        if (widget->isWindow())
            break;
    }
    return nullptr;
}

bool clickKeepsFocus(bool clicked, const QWidget *before, const QWidget *now,
                     const QWidget *clickTarget)
{
    if (!clicked || !now)
        return false;
    return now != before || now == clickTarget;
}
