#pragma once

#include "AdifRecord.h"
#include "QsoRecord.h"

#include <QString>

#include <optional>

// The QSO list row is the contract between a loaded log and the batch runs: listRow() writes
// it, parseListRow() reads it back into the QSO fields. Both the window's batch runs and the
// command line use these two functions, so a row means the same everywhere.
//
// Row: call, date, time, frequency, power, mode, report[, e-mail], joined by ", ":
//   "   ABC, 04.05.2024, 0930, 7.100, 5, CW, 599"
// - call: right-aligned in 6 characters with leading spaces, a longer call whole;
// - date: QSO_DATE YYYYMMDD as MM.DD.YYYY;
// - time: the first four characters of TIME_ON (seconds dropped);
// - frequency: FREQ to the nearest thousandth with exactly three decimals;
// - power: TX_PWR, or defaultPower when the record has none;
// - mode: SUBMODE where the record has one that is not blank (a FT4 QSO is logged as MODE
//   MFSK, SUBMODE FT4), else MODE;
// - report: the report the card confirms, the one given to the other station: RST_SENT where
//   the record has one that is not blank, else RST_RCVD (the only report some logs hold);
// - e-mail: EMAIL, and the ", " before it, only when the record has one.
// A field the record lacks gives an empty text in its place. Values are copied exactly as the
// record holds them (one line each).

// Whether freq is a decimal number as formatFrequency() reads one: an optional sign, digits
// with at most one "." among or around them, blanks around it; or empty.
bool isDecimalNumber(QStringView freq);

// FREQ as the row shows it: "7.1" gives "7.100", "1296" gives "1296.000", "14.0745" gives
// "14.075" (half away from zero, computed on the decimal digits, not on a binary double); an
// empty value gives an empty text. Leading and trailing blanks are allowed. nullopt when the
// value is not a decimal number ("14.074.5", "7,1", "1e3", "abc").
std::optional<QString> formatFrequency(const QString &freq);

// The list row of a record whose FREQ formatFrequency() accepts (the reader skips the others;
// here such a FREQ is shown as it is). A QSO_DATE that is not eight characters is shown as
// it is.
QString listRow(const AdifRecord &record, const QString &defaultPower);

// Reads a row back into the texts the QSO fields take, as the batch runs fill them: the call
// sign without the row's leading and trailing spaces, case as in the row; the date M.D.YYYY
// without leading zeros (04.05.2024 gives 4.5.2024); the time HH:MM (0930 gives 09:30); the
// report at most 10 characters when the row has no e-mail; the e-mail empty when it has none.
// Left to right, one ", " at a time. A date not of the form MM.DD.YYYY with
// numbers for month and day, and a time of two characters or fewer, are taken as they stand.
// Missing fields at the end of a short row come out empty.
QsoRecord parseListRow(const QString &row);
