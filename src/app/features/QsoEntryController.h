#pragma once

#include "QsoFields.h"
#include "QsoRecord.h"

#include <QObject>
#include <QStringList>

class ControlLookup;
class KeyboardFocusHost;
class QsoEntryParts;
class CardLabel;
class EntryEdit;
class FileDialogMemory;
class QRadioButton;

// The power radio checked, whose caption is the station's power; nullptr when none is.
const QRadioButton *checkedPowerRadio(const ControlLookup &controls);

// Load QSL and Send QSL: asks for a contact info file in folder through dialog, which
// remembers the folder, the filter and the file chosen. Empty when the operator cancels.
QString chooseContactInfoFile(FileDialogMemory &dialog, const QString &folder);

// Load QSL and Send QSL: sets the QSO fields from lines 2 to 8 of a contact info file and the
// contact's e-mail field from line 1 when it holds "@", each as typing would set it, so its
// change handling runs. A missing line throws the index error, the fields before it kept.
void showSavedQso(QsoEntryParts &qso, const QStringList &lines);

// QSO entry: the seven QSO fields, the quick-pick buttons, the calendar, the contact e-mail
// field and its popup menu, Clear, the check before output and the contact info file.
class QsoEntryController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls and the QSO's fields to their handlers.
    QsoEntryController(ControlLookup &controls, QsoEntryParts &qso, KeyboardFocusHost &focus);

    // ---- Quick-picks ----
    // An hour, minute or clear button of the time panel changes the UTC time.
    void applyTimeButton(QObject *sender);
    // "Current GMT Date Time": today's UTC date and the UTC time now.
    void fillCurrentUtcDateTime();
    // A click in the calendar takes its selected date as the UTC date.
    void takeCalendarDate();
    // A month arrow or the month and year choosers moved the calendar: its date moves along
    // to the same day and becomes the date field, as any click in the calendar does.
    void turnCalendarPage(int year, int month);
    // A report digit, a whole report or Clear of the signal panel changes the report.
    void applySignalButton(QObject *sender);
    // The power radio chosen gives the power field its caption.
    void takePowerChoice(QObject *sender);
    // The mode radio chosen gives the mode field its caption.
    void takeModeChoice(QObject *sender);
    // A frequency button gives the frequency field its caption, caret at the end.
    void takeFrequencyButton(QObject *sender);
    // Clear: after the operator confirms, empties every field but the power.
    void clearQsoFields();

    // ---- The call sign and the contact e-mail field ----
    // Upper-cases the call sign, shows it on the card and offers the e-mail placeholder.
    void onCallSignEdited();
    // Entering the e-mail field offers call sign + "@arrl.net" with the whole text selected.
    void offerContactEmail();
    // Keeps the e-mail field's text in the rule's shape while it is typed.
    void normaliseContactEmail();
    // A double click empties the e-mail field.
    void clearContactEmail();
    // Leaving an empty e-mail field puts the placeholder back.
    void restoreContactEmailPlaceholder();
    // An item of the e-mail field's popup menu: the call sign or a forwarding domain.
    void applyContactEmailMenuItem(QObject *item);

    // ---- The QSO as a whole ----
    // The check before a card leaves the program ("Email" for Send QSL, empty for every
    // other output); true when the operator's answers stop the output.
    bool shouldStopOutput(const QString &purpose);
    // Writes the contact info file of the QSO on screen into the card folder.
    void writeContactInfo();
    // The seven QSO fields as the entry overlays hold them.
    QsoRecord qsoOnScreen() const;
    // Copies the seven entry overlays into the card's value elements.
    void copyFieldsToCard();
    // The typed UTC date as the card prints it: as typed, or year-month-day with ISO dates on.
    QString cardDate() const;

signals:
    // A QSO field other than the call sign changed: the station identity is to be copied to
    // the card again.
    void identityToRefresh();

private:
    void connectQuickPicks();
    void connectChoiceRadios();
    void connectFields();
    void connectContactEmail();
    EntryEdit *overlay(card::QsoField field) const;
    CardLabel *value(card::QsoField field) const;
    EntryEdit *emailField() const;

    ControlLookup &m_controls;
    QsoEntryParts &m_qso;
    KeyboardFocusHost &m_focus;
};
