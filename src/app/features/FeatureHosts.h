#pragma once

#include "QsoFields.h"

class CardBand;
class CardDocument;
class CardLabel;
class EmailAddress;
class EntryEdit;
class Mailer;
class QObject;

// The parts of the main window a feature unit may need besides its controls (ControlLookup).
// Each feature takes only the hosts it uses; the main window is all of them. A feature knows
// nothing of the other features: where it needs another's effect, it raises a signal that the
// window connects.

// The QSO the operator types: the entry overlays, the card elements that show them, the
// contact's e-mail address, the card band they lie on and the card document it shows.
class QsoEntryParts
{
public:
    virtual ~QsoEntryParts() = default;
    // The entry overlay the operator types field into.
    virtual EntryEdit *entryOverlay(card::QsoField field) const = 0;
    // The card element that shows field on the card.
    virtual CardLabel *valueElement(card::QsoField field) const = 0;
    // The contact's e-mail address beside the card (`ContactsEmail`).
    virtual EntryEdit *contactEmailField() const = 0;
    // The band the card is composed on (`tAlBand1`).
    virtual CardBand *cardBand() const = 0;
    // The card the band shows; what the window saves, copies and prints is painted from it.
    virtual CardDocument &cardDocument() const = 0;
};

// Where the keyboard goes after a click: back to the call sign, and never again to a choice
// once clicked.
class KeyboardFocusHost
{
public:
    virtual ~KeyboardFocusHost() = default;
    // Takes control out of the keyboard's tab order: a choice once clicked is no tab stop.
    virtual void removeFromTabOrder(QObject *control) = 0;
    // Gives the keyboard focus to the contact's call-sign field.
    virtual void focusCallSign() = 0;
};

// The mail component and the one recipient entry that start-up adds to it.
class MailHost
{
public:
    virtual ~MailHost() = default;
    virtual Mailer &mailer() const = 0;
    virtual EmailAddress *mailRecipient() const = 0;
};
