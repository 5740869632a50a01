#include "CardQueue.h"

#include "AdifRecord.h"
#include "QsoCardSender.h"
#include "SentJournal.h"

JournalEntry journalEntry(const SentJournal &journal, const SentQso &qso)
{
    if (journal.contains(qso))
        return JournalEntry::Sent;
    return journal.mayHaveBeenSent(qso) ? JournalEntry::MaybeSent : JournalEntry::None;
}

QslStatus qslStatusOf(const AdifRecord &record, const SentJournal *journal)
{
    QslStatus status;
    status.log = logQslState(record.value(AdifField::QslSent));
    if (journal)
        status.journal = journalEntry(*journal, sentQsoOfRecord(record));
    return status;
}
