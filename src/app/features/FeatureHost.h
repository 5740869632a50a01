#pragma once

#include "MissingControlError.h"
#include "QsoFields.h"

#include <QString>
#include <QWidget>

class CardBand;
class CardLabel;
class EmailAddress;
class EntryEdit;
class Mailer;

// What a feature of the main window asks of the window that hosts it: its controls by name,
// the card's QSO fields, the keyboard focus and the mail component. A feature knows nothing of
// the other features; where it needs another's effect, it raises a signal that the window
// connects.
class FeatureHost
{
public:
    virtual ~FeatureHost() = default;

    // The widget that owns every control.
    virtual QWidget &hostWidget() = 0;
    virtual const QWidget &hostWidget() const = 0;

    // The control, card element or dialog memory named name. Every name the program uses is
    // looked up while the window starts (each feature connects its controls then), so a name
    // the window does not have stops the start with MissingControlError naming it, instead of
    // leaving a handler silently unconnected.
    template <typename T = QWidget> T *control(const QString &name) const
    {
        if (T *found = hostWidget().findChild<T *>(name))
            return found;
        throw MissingControlError(name, QString::fromLatin1(T::staticMetaObject.className()));
    }
    // The same for a control that only some groups have (nullptr when there is none).
    template <typename T = QWidget> T *findControl(const QString &name) const
    {
        return hostWidget().findChild<T *>(name);
    }

    // The entry overlay the operator types field into.
    virtual EntryEdit *entryOverlay(card::QsoField field) const = 0;
    // The card element that shows field on the card.
    virtual CardLabel *valueElement(card::QsoField field) const = 0;
    // The contact's e-mail address beside the card (`ContactsEmail`).
    virtual EntryEdit *contactEmailField() const = 0;
    // The band the card is composed on (`tAlBand1`).
    virtual CardBand *cardBand() const = 0;
    // Takes control out of the keyboard's tab order: a choice once clicked is no tab stop.
    virtual void removeFromTabOrder(QObject *control) = 0;
    // Gives the keyboard focus to the contact's call-sign field.
    virtual void focusCallSign() = 0;
    // Copies the identity edits into the card's identity elements.
    virtual void copyIdentityToCard() = 0;
    // The mail component and the one recipient entry that start-up adds to it.
    virtual Mailer &mailer() const = 0;
    virtual EmailAddress *mailRecipient() const = 0;
    // Distance from the name line to the address line and from there to the town line.
    virtual int nameLineStep() const = 0;
    virtual void setNameLineStep(int step) = 0;
};
