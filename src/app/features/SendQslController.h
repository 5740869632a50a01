#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class ControlLookup;
class MailHost;
class QsoEntryParts;
class QsoEntryController;
class SentJournal;
struct MailSettings;
struct SentQso;

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
    // Host, port, security, login and recipient of the next send.
    void fillMailer(const MailSettings &settings);
    // Sender, subject and body of the card with picture: the operator's mail template when the
    // data folder has one. Throws a KartelloError when the template cannot be read.
    void fillCardText(const QString &picture);
    // Sends the mailer's card with its "Sending:" line in journal before it, and its record
    // after it when the server took it; a failure is told.
    void sendRecorded(SentJournal &journal);
    // The QSO on the card as the sent journal records it, to the recipient of the mailer.
    SentQso cardQso() const;
    // Appends the card just sent to the journal and says so in the title; a journal that
    // cannot take it is told.
    void recordSentCard(SentJournal &journal, const SentQso &qso);
    // The server refused the card after its "Sending" line: the journal learns it was not sent.
    void noteNotSent(SentJournal &journal, const SentQso &qso);
    // "Kartello - Card sent to ADDRESS" in the title; an empty address takes that away again.
    void showSentTitle(const QString &address);
    // A warning box ("Warning", OK) with the pointer on its button.
    void warn(const QString &text);

    ControlLookup &m_controls;
    QsoEntryParts &m_qso;
    MailHost &m_mail;
    QsoEntryController &m_qsoEntry;
};
