#pragma once

#include "QslQueue.h"

class AdifRecord;
class SentJournal;
struct SentQso;

// What the journal holds of qso: sent, may have been sent, or nothing.
JournalEntry journalEntry(const SentJournal &journal, const SentQso &qso);

// The QSL status of a log record: its QSL_SENT, held against the journal when one is given
// (without one, the log alone decides).
QslStatus qslStatusOf(const AdifRecord &record, const SentJournal *journal);
