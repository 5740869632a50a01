#pragma once

#include <QList>

class QWidget;

// Where Tab and Shift+Tab go in the main window. The QSO fields form a ring of their own (the
// last one wraps to the first), and no control that the operator cannot see is ever reached:
// one clipped away by a folded panel, covered by an opened one, or hidden.

// True when Tab may stop at the widget: it takes the focus by Tab, is enabled and shown, and
// some part of it is in view.
bool reachableByKeyboard(const QWidget *widget);

// The widget that Tab (forward) or Shift+Tab reaches from current. Within ring, its neighbour
// (wrapping); elsewhere the next reachable widget of the window's focus chain. nullptr when
// there is none.
QWidget *keyboardTarget(QWidget *current, bool forward, const QList<QWidget *> &ring);

// The control that keeps the keyboard while a form lies open over window (a shown
// TabRingPanel, such as the mail settings): the one of its tab stops that had the focus last,
// else its first; nullptr when no form is open.
QWidget *openFormFocus(const QWidget *window);

// The control a mouse press on pressed gives the focus to: pressed or the nearest of its
// parents in the same window that is enabled and takes the focus by a click; nullptr when
// there is none.
QWidget *clickFocusTarget(QWidget *pressed);

// Whether the focus stays where a click put it when the window becomes active only after that
// click (without a window manager, or when the click itself activates the window): it stays
// when the click moved the focus (now differs from before) or landed on the control that has
// it (clickTarget). Without such a click the activation decides.
bool clickKeepsFocus(bool clicked, const QWidget *before, const QWidget *now,
                     const QWidget *clickTarget);
