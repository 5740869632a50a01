#pragma once

#include "CardOptions.h"

#include <QObject>

class ControlLookup;
class KeyboardFocusHost;

// Card options: the check boxes and radios of the interface panel that choose what the card
// shows, its background scheme, its frames and the interface colour.
class CardOptionsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers. boxColours are the card document's,
    // which every application of the options updates.
    CardOptionsController(ControlLookup &controls, KeyboardFocusHost &focus,
                          card::BoxColours &boxColours);

    // Applies every card option to the card and the window; sender leaves the tab order.
    void applyCardOptions(QObject *sender);
    // An option check box or background radio changed: applies all options again.
    void onCardOptionToggled(QObject *sender);
    // The options as the interface panel's controls hold them.
    card::CardOptions readCardOptions() const;
    // The colours of the QSO table's boxes, as the latest options left them.
    card::BoxColours boxColours() const { return m_boxColours; }

private:
    ControlLookup &m_controls;
    KeyboardFocusHost &m_focus;
    card::BoxColours &m_boxColours;
};
