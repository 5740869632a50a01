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
