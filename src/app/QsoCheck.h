#pragma once

#include "QsoRecord.h"

#include <QString>

class UserDialogs;

// The check before a card leaves the program. Asks "Missing one or more contact
// information. Continue anyway?" when a field is empty (No stops at once), then refuses a UTC
// date that readQsoDate() cannot read (a warning saying why, and a stop), then judges the
// contact's address: for the purpose "Email" an unacceptable address is a warning and always
// stops; for any other purpose the operator may continue. The pointer is placed on each box's
// button first. Returns true when the output must stop.
bool qsoShouldStopOutput(const QsoRecord &qso, const QString &contactEmail,
                         const QString &purpose, UserDialogs &dialogs);
