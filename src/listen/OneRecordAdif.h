#pragma once

#include "AdifRecord.h"

#include <QByteArrayView>

#include <optional>

// The first record with a CALL of an ADIF text that holds one QSO, as a logging program
// broadcasts it ("<adif_ver:5>3.1.0 <programid:6>WSJT-X <EOH> <call:5>K1ABC ... <EOR>"), read by
// Kartello's ADIF reader with all of its rules. Nothing when the text has no such record; any
// records after the first are not looked at.
std::optional<AdifRecord> readOneAdifRecord(QByteArrayView text);
