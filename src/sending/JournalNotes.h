#pragma once

#include "SentJournal.h"

#include <QByteArray>
#include <QByteArrayView>

#include <optional>

// The lines the sent journal keeps besides its records, about a card on its way:
//   "Sending: CALL=K1ABC QSO_DATE=20261201 TIME_ON=1200 FREQ=14.074 BAND=20m MODE=FT8
//    EMAIL=k1abc@example.net" written, synced, before the message goes out, and
//   "Not sent: ..." (the same fields) when the server refused the message.
// A "Sending" line that neither a record nor a "Not sent" line follows is a card that may have
// reached the server: the program ended, or the connection broke, before its answer came.
// The lines are one line each, ASCII only (values percent-encoded) and hold no "<", so an
// ADIF reader passes over them as text between records.
enum class JournalNoteKind { Sending, NotSent };

struct JournalNote
{
    JournalNoteKind kind = JournalNoteKind::Sending;
    SentQso qso;
};

// The line of a note, with its line break.
QByteArray journalNoteText(JournalNoteKind kind, const SentQso &qso);

// The note a line holds (without its line break), or none when it is not a note.
std::optional<JournalNote> parseJournalNote(QByteArrayView line);
