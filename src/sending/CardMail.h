#pragma once

#include "MailTemplate.h"
#include "QsoRecord.h"
#include "SentJournal.h"
#include "SmtpClient.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class Mailer;
class MailError;

// The server and the sender of a run of cards, from the mail settings and the station.
struct SendSettings
{
    QString host;
    quint16 port = 25;
    SmtpSecurity security = SmtpSecurity::None;
    QString userName;        // empty: no login
    QString password;
    QString operatorEmail;   // the sender, as the operator's e-mail box holds it
    int perMinute = 20;      // messages a minute at most
    QString stationCall;     // the station's call sign, the identity's first line
    // The operator's subject and body (readMailTemplate()); none: the usual message.
    std::optional<MailTemplate> mailTemplate;
};

// The pace of a run when neither the mail settings nor the command line name one.
inline constexpr int DefaultPerMinute = 20;

// One message to e-mail: the QSOs of one call sign and the pictures of their cards (a group of
// more QSOs than a card holds takes several cards, all in one message).
struct CardToSend
{
    std::vector<SentQso> qsos;   // at least one; the first one's email is the address it goes to
    QStringList attachments;     // the card pictures' paths, in order; each named by its last
                                 // component
    QStringList reports;         // the report sent of each QSO, in the order of qsos; a missing
                                 // or empty one is left out of the message
    QString label;               // how reports name the card, e.g. "K1ABC (row 3 of log.adi)"

    // The usual card: one QSO, one picture.
    static CardToSend single(const SentQso &qso, const QString &attachment, const QString &label,
                             const QString &report = QString());
    // The address the message goes to.
    QString recipient() const;
};

// Fills the mailer's sender, subject and body for a card from operatorEmail, the way every
// card of Kartello goes out without a template: subject and body "QSL card attachment from " +
// the address.
void fillCardMail(Mailer &mailer, const QString &operatorEmail);
// Fills the mailer's sender, subject and body: from.address is operatorEmail.
void fillCardMail(Mailer &mailer, const QString &operatorEmail, const CardMailText &text);

// The text of card's message as the settings make it: the template's when there is one, else
// the usual text.
CardMailText cardMailTextOf(const SendSettings &settings, const CardToSend &card);

// Server, port, security and login of the mailer from the settings.
void fillMailServer(Mailer &mailer, const SendSettings &settings);

// The QSO as the journal records it: the date typed M.D.YYYY becomes YYYYMMDD and the time
// HH:MM becomes HHMM (a text of another form is kept as it stands); the QSO's e-mail is the
// address the card went to.
SentQso sentQsoOf(const QsoRecord &qso);

// The contact's address as a card is sent to it: blanks and control characters taken off
// both ends.
QString cardRecipient(const QString &text);

// What a failure in the middle of a run means for the run.
//   SessionLost  the server ended the session (421, closed, reset): a new session, the card
//                again at once
//   TryLater     a temporary refusal (4xx) of this card: the card again after a wait
//   CardRefused  a permanent refusal (5xx) of this card, or its picture cannot be read: the
//                card fails, the run goes on
//   StopRun      every card would fail: refused login or sender, untrusted certificate,
//                unreachable server
//   Stopped      the operator stopped the run
enum class FailureVerdict { SessionLost, TryLater, CardRefused, StopRun, Stopped };

// The verdict on a failure of the dialogue at step (where the failure came from).
FailureVerdict judgeFailure(const MailError &error, SmtpClient::Step step);
