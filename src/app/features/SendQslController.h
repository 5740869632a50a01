#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ControlLookup;
class MailHost;
class QsoEntryParts;
class QsoEntryController;
struct MailSettings;

// Send QSL: e-mailing a saved card to the contact.
class SendQslController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls to their handlers. A card goes out through mail for the
    // QSO of qso, checked by qsoEntry.
    SendQslController(ControlLookup &controls, QsoEntryParts &qso, MailHost &mail,
                      QsoEntryController &qsoEntry);

    // Send QSL: the operator picks a contact info file; its QSO is loaded as if typed,
    // checked, and the card picture of its call sign is e-mailed to the contact.
    void sendSavedCard();

private:
    // Host, port, security, login, sender, subject, body and recipient of the next send.
    void fillMailer(const MailSettings &settings);
    // Appends the card just sent to the sent journal; a journal that cannot take it is told.
    void recordSentCard();
    // A warning box ("Warning", OK) with the pointer on its button.
    void warn(const QString &text);

    ControlLookup &m_controls;
    QsoEntryParts &m_qso;
    MailHost &m_mail;
    QsoEntryController &m_qsoEntry;
};
