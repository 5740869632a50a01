#pragma once

#include "FieldPositions.h"

#include <QObject>

class ControlLookup;
class DesignBinding;
class KeyboardFocusHost;
class CollapsiblePanel;
class QSlider;

// Field positions: the element selection radios, the left-right and up-down sliders, the
// arrow buttons, and folding the interface panel.
class FieldPositionsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers. The places go into the card's
    // design, which the card is built from; the address and town lines move with the name,
    // one name line step (the document's, as the name style set it) apart.
    FieldPositionsController(ControlLookup &controls, KeyboardFocusHost &focus,
                             DesignBinding &design);

    // Selects the element of the clicked radio: the sliders show its left and top.
    void selectField(QObject *radio);
    // Moves the selected element to the left slider's value (sender: the slider or an arrow).
    void moveSelectedLeft(QObject *sender);
    // Moves the selected element to the top slider's value.
    void moveSelectedTop(QObject *sender);
    // One step of the arrow button sender on its slider or on the name width.
    void nudge(QObject *sender);
    // The interface panel changed size: nothing selected, sliders at 0, font panels closed.
    void resetAfterPanelResize();

    // The selected field, testing the radios in order; None when no radio is checked.
    card::MovableField selectedField() const;

signals:
    // The name block's width is to be applied again from its width track bar.
    void nameBlockWidthToReapply();
    // The font panels are to be closed.
    void fontPanelsToClose();

private:
    CollapsiblePanel *interfacePanel() const;
    QSlider *leftSlider() const;
    QSlider *topSlider() const;
    void setRanges(card::SliderRange left, card::SliderRange top);
    void place(const std::vector<card::Placement> &placements, bool horizontal);

    ControlLookup &m_controls;
    KeyboardFocusHost &m_focus;
    DesignBinding &m_design;
};
