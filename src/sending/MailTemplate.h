#pragma once

#include "SentJournal.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The operator's mail template in the data folder.
inline const QString MailTemplateFileName = QStringLiteral("QslMail.txt");

// The operator's own message for a card. The file's first line is the subject and the rest
// the body; a blank line right after the subject only separates the two. Placeholders:
//   {CALL}      the contact's call sign        {MYCALL}    the station's call sign
//   {MYEMAIL}   the station's address          {COUNT}     the number of QSOs, "3"
//   {QSOCOUNT}  "1 QSO", "3 QSOs"              {QSOS}      one line per QSO (qsoMailLine())
struct MailTemplate
{
    QString subject;
    QString body;   // lines separated by '\n'
};

// The subject and body of one message.
struct CardMailText
{
    QString subject;
    QStringList body;
};

// What the placeholders of a template stand for in one message.
struct CardMailFacts
{
    QString myCall;
    QString myEmail;
    std::vector<SentQso> qsos;   // of one call sign; {CALL} is the first one's
    QStringList reports;         // the report of each QSO, in the order of qsos; may be shorter
};

// The template of a file's lines; path only names the file in the error. Throws a KartelloError
// when the first line, the subject, is blank.
MailTemplate mailTemplateFromLines(const QStringList &lines, const QString &path);

// The template at path, or none when no file is there (the usual message goes out then). A file
// that is there but cannot be read, or has no subject, throws a KartelloError naming it: a
// card must not go out with another text than the operator wrote.
std::optional<MailTemplate> readMailTemplate(const QString &path);

// The message every card has without a template: subject and body "QSL card attachment from "
// + myEmail.
CardMailText usualCardMailText(const QString &myEmail);

// The template filled in for facts. Each known placeholder becomes its value,
// once: a value that holds a placeholder is not filled in again, and an unknown placeholder
// stays as written. Every value is made one line (oneLineText()) so that the subject stays one
// header line; {QSOS} is one body line per QSO, and in the subject the QSOs joined by "; ".
CardMailText renderMailTemplate(const MailTemplate &mailTemplate, const CardMailFacts &facts);

// One QSO as {QSOS} lists it: "2026-12-01 12:00 UTC, 20m, FT8, RST 59". The band is the band
// of the frequency or the log's BAND, else the frequency in MHz; empty parts are left out.
QString qsoMailLine(const SentQso &qso, const QString &report);
