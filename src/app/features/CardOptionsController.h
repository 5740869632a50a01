#pragma once

#include "CardOptions.h"

#include <QObject>

class ControlLookup;
class DesignBinding;
class KeyboardFocusHost;

// Card options: the check boxes and radios of the interface panel that choose what the card
// shows, its background scheme, its frames and the interface colour.
class CardOptionsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers. The options go into the card's
    // design, which the card is built from.
    CardOptionsController(ControlLookup &controls, KeyboardFocusHost &focus,
                          DesignBinding &design);

    // Takes every card option into the design and the window; sender leaves the tab order.
    void applyCardOptions(QObject *sender);
    // An option check box or background radio changed: applies all options again.
    void onCardOptionToggled(QObject *sender);
    // The "QSOs per card" slider moved: its label and the design follow.
    void onQsosPerCardChanged();
    // The options as the interface panel's controls hold them.
    card::CardOptions readCardOptions() const;
    // The colours of the QSO table's boxes, as the latest options left them.
    card::BoxColours boxColours() const;

private:
    ControlLookup &m_controls;
    KeyboardFocusHost &m_focus;
    DesignBinding &m_design;
};
