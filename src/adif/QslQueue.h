#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

// Whether a QSO of a log still needs a card, from what the log's QSL_SENT says and what the
// sent journal "Sent.adi" holds.
enum class QslState : std::uint8_t {
    NeedsCard,     // QSL_SENT absent, empty, N, R (requested) or Q (queued)
    OddStatus,     // QSL_SENT holds another value: offered rather than silently passed over
    LoggedSent,    // the log says Y
    Ignored,       // the log says I
    JournalSent,   // Sent.adi records the card as sent
    MaybeSent,     // Sent.adi: a send began and ended without the server's answer
};

// What the sent journal holds of a QSO.
enum class JournalEntry : std::uint8_t { None, Sent, MaybeSent };

// The state a log's QSL_SENT value gives on its own (NeedsCard, OddStatus, LoggedSent or
// Ignored); letter case and surrounding blanks do not count.
QslState logQslState(QStringView qslSent);

// The state once the journal is asked, for a logState from logQslState(): a card the journal
// records as sent is sent whatever the log says; otherwise the log's Y and I settle it;
// otherwise a send that may have gone out holds the QSO back until the operator decides.
QslState queueState(QslState logState, JournalEntry journal);

// True for the states whose QSO is offered a card: NeedsCard and OddStatus.
bool needsCard(QslState state);

// A few words for the operator: "needs a card", "sent (Sent.adi)", ...
QString qslStateText(QslState state);

// One QSO's status as a list keeps it: the log's part is read once, the journal's part is
// asked again after cards went out.
struct QslStatus
{
    QslState log = QslState::NeedsCard;
    JournalEntry journal = JournalEntry::None;

    QslState state() const { return queueState(log, journal); }
};
