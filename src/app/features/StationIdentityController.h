#pragma once

#include <QObject>

class ControlLookup;
class DesignBinding;
class QString;
class QsoEntryParts;

// Station identity: the eight identity edits, the "Ø" button, Load Bkg (background picture)
// and Load QSL (a saved card's contact info file).
class StationIdentityController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers; Load QSL fills the QSO of qso. The
    // identity and the background picture go into the card's design.
    StationIdentityController(ControlLookup &controls, QsoEntryParts &qso, DesignBinding &design);

    // Any identity edit changed: all eight texts go to the card, then identityCopiedToCard()
    // asks for the call-sign style again (the call sign measured anew for its text).
    void copyIdentityToCard(QObject *sender);
    // Copies the eight identity edits into their card elements.
    void copyIdentityTexts();
    // Appends "Ø" (slashed zero) to the operator's call sign.
    void appendSlashedZero();
    // Lets the operator choose a background picture, shows it and remembers it in "gfile.qec".
    void loadBackgroundPicture();
    // Shows the picture "gfile.qec" names, when that file still exists (start-up).
    void loadRememberedBackground();
    // Lets the operator choose a contact info file and puts its QSO into the fields.
    void loadSavedQso();

signals:
    void identityCopiedToCard();

private:
    // Shows the picture at path as the card's background (none for an empty path).
    void showBackground(const QString &path);

    ControlLookup &m_controls;
    QsoEntryParts &m_qso;
    DesignBinding &m_design;
};
