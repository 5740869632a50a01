#pragma once

#include <QDate>
#include <QString>
#include <QTime>

// The rules of the QSO quick-pick buttons, decided by the clicked control's component name.

enum class TimeButton { None, Hour, Minute, Clear };

// "EncartaButtonH07" is an hour, "EncartaButtonM45" a minute, "EncartaButtonC" clears; the
// names are tested in that order for "H", "M" and "EncartaButtonC".
TimeButton timeButtonKind(const QString &componentName);

// The time field after the button: an hour gives "07:"; a minute keeps at most the first
// three characters of the field and appends itself ("07:45" then 50 gives "07:50", "9:30"
// then 45 gives "9:345", "" then 45 gives "45"); Clear gives "". None leaves the field.
QString timeAfterButton(TimeButton kind, const QString &caption, const QString &timeField);

enum class SignalButton { None, Clear, Digit, Caption };

// Tested in this order: a name containing "Clear" clears, "RST" appends a digit, "EBSig"
// sets a whole report.
SignalButton signalButtonKind(const QString &componentName);

// The report after the button; applied to the field and to the card's cell separately, each
// keeping its own text.
QString signalAfterButton(SignalButton kind, const QString &caption, const QString &report);

// The quick-pick date: month "." day "." year, no leading zeros, four-digit year (4.5.2024).
QString quickPickDate(const QDate &date);
// The calendar's date after its page turned to year and month: the same day of the month,
// or the month's last day when it is shorter (31 January, one page on: 29 February 2024).
QDate sameDayOnPage(const QDate &date, int year, int month);
// The quick-pick time: two-digit hour ":" two-digit minute; seconds are cut off (07:05).
QString quickPickTime(const QTime &time);

// Typed QSO dates. Kartello's own form is the quick-picks' month.day.year (12.6.2026 is
// 6 December 2026); year-month-day (2026-12-06) and ADIF's YYYYMMDD are read as well, as
// neither can be mistaken for another date. A dotted date with a leading zero ("06.12.2026")
// is refused: that is how day.month.year is written, and the quick-picks never write one.

// The UTC date field's tooltip: the forms a typed date may take.
QString qsoDateHint();

// A typed date read: date is valid exactly when problem is empty; problem is the message for
// the operator, naming the text and the forms Kartello reads. Blanks around are ignored; a
// date before 1930 (ADIF's first) is refused.
struct QsoDateReading
{
    QDate date;
    QString problem;
};
QsoDateReading readQsoDate(const QString &typed);

// The date as ADIF writes it (YYYYMMDD), or empty when readQsoDate() refuses the text.
QString adifQsoDate(const QString &typed);

// How a card prints the UTC date: as typed (or as the quick-picks wrote it), or year-month-day.
enum class CardDateStyle { AsTyped, Iso };

// The card's text for a typed date: Iso gives 2026-12-06 for any form readQsoDate() reads and
// leaves any other text as typed, so that a card never loses what the operator wrote.
QString cardDateText(const QString &typed, CardDateStyle style);

// The text with the letters a to z turned to upper case; every other character unchanged.
QString upperCaseAtoZ(const QString &text);
