#pragma once

#include "CardMail.h"
#include "SmtpClient.h"

#include <QString>
#include <QStringList>

// The mail settings file "smtp.onl" in the data folder: host name, user name, password, and
// three optional lines, the port, the security ("none", "starttls" or "tls") and the most
// cards a run of many sends in a minute. A file of three lines means port 25 without
// security: the plain dialogue of older installations. Lines after the sixth are ignored.
struct MailSettings
{
    QString host;
    QString userName;
    QString password;
    QString port = QStringLiteral("25");      // as written in the file
    QString security = QStringLiteral("none");
    QString perMinute;                         // empty: the default pace
};

// The settings of the file's lines. Throws "List index out of bounds (<n>)" when a line of
// the first three is missing.
MailSettings mailSettingsFromLines(const QStringList &lines);

// The lines the settings panel writes, the texts as they stand: five, and the pace as the
// sixth when it is set.
QStringList mailSettingsLines(const MailSettings &settings);

// The port as a number, 1..65535. Throws a KartelloError saying so for anything else.
quint16 mailPort(const QString &text);

// The pace line as cards a minute, 1..600; defaultPace when the line is empty. Throws a
// KartelloError saying so for anything else.
int mailPerMinute(const QString &text, int defaultPace);

// The server, login and pace of a run of cards from the settings file at path, with the
// operator's address as the sender; perMinute > 0 overrides the file's pace. Throws a
// KartelloError when the file is missing, a line is wrong or the operator's address is empty.
SendSettings sendSettingsFromFile(const QString &path, const QString &operatorEmail, int perMinute);

// The station's call sign and the operator's mail template of the data folder
// (MailTemplateFileName, read by readMailTemplate()) into settings, for the text of every card.
// Throws a KartelloError naming the template when it is there but cannot be read.
void addStationMailText(SendSettings &settings, const QString &stationCall);

// The connection's protection for a security word (letter case ignored, blanks around
// allowed). Throws a KartelloError naming the three words for anything else.
SmtpSecurity mailSecurity(const QString &text);

// The three words in the order the settings panel offers them.
QStringList mailSecurityWords();

// The port box's text once the operator chooses security: the usual port of that security
// (25 none, 587 starttls, 465 tls) while the box holds one of those three usual ports, so a
// box still at the default follows the choice; any other port stays as the operator set it.
QString portForSecurity(const QString &portText, SmtpSecurity security);

// The user name to log in with: empty when the box still shows its prompt ("your user id")
// or holds only blanks, so no login is attempted.
QString loginUserName(const QString &userBoxText);

// Writes the settings as "smtp.onl" readable and writable by the owner only (it holds a
// password), replacing the previous file only once the new one is complete.
void saveMailSettings(const QString &path, const MailSettings &settings);

// The operator's report of a failed send: "An error -" + text + " was detected upon trying
// to send the email.".
QString sendErrorMessage(const QString &errorText);

// The card picture to send for callSign: the card folder's callSignFilePart(callSign) +
// ".jpg" when that file exists, else + ".gif" when that exists, else empty.
QString cardPictureToSend(const QString &cardFolder, const QString &callSign);
