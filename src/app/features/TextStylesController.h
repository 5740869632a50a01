#pragma once

#include "TextStyles.h"

#include <QObject>

class ControlLookup;
class DesignBinding;
class KeyboardFocusHost;
class QComboBox;

// Text styles: the call-sign, name and info font panels (face, size, bold, italic, underline,
// colour, width).
class TextStylesController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers. Every style chosen goes into the
    // card's design, which the card is built from.
    TextStylesController(ControlLookup &controls, KeyboardFocusHost &focus, DesignBinding &design);

    // Opens the group's font panel over the QSO entry panels, or closes it when it is open.
    void toggleFontPanel(card::StyleGroup group);
    // Hides the three font panels and gives their buttons the closed colour.
    void closeFontPanels();
    // Applies the call sign's style; sender is the control that changed it, or nullptr to
    // re-apply bold, underline, size and italic.
    void applyCallSignStyle(QObject *sender);
    // Applies the name block's style and lays out its three lines from the name size.
    void applyNameStyle(QObject *sender);
    // Applies the info lines' style.
    void applyInfoStyle(QObject *sender);
    // Scrolls a colour list's edit field back to the start of the item it shows.
    void showListItemStart(QComboBox *list);
    // Gives the name block the width of the width track bar.
    void applyNameBlockWidth(QObject *sender);

private:
    void connectGroup(card::StyleGroup group);
    void applyStyle(card::StyleGroup group, QObject *sender);
    card::StyleSender describeSender(QObject *sender) const;
    card::StyleChecks readChecks(card::StyleGroup group) const;
    void uncheckColourRadios(card::StyleGroup group);
    // The index of sender among the group's fixed colours, or -1.
    int fixedColourOf(card::StyleGroup group, const QObject *sender) const;

    ControlLookup &m_controls;
    KeyboardFocusHost &m_focus;
    DesignBinding &m_design;
};
