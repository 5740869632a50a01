#pragma once

#include <QString>

#include <vector>

// The words `kartello cards` says while it runs and when it ends.

// Cards per second, 0 until any time has passed.
double cardsPerSecond(int cards, qint64 elapsedMs);

// The progress line shown on a terminal: "37 of 120 cards, 85.2 cards/s".
QString progressLine(int done, int total, qint64 elapsedMs);

// A terminal line is redrawn at most every 100 ms, and always for the last card.
bool progressDue(qint64 lastDrawnMs, qint64 nowMs, int done, int total);

// What a run ended with; the summary line and the exit status are made from it.
struct CardsOutcome
{
    int selected = 0;          // cards the selection asked for
    int written = 0;           // cards whose file is complete
    int failed = 0;            // cards that could not be made or written
    int skippedRecords = 0;    // records of the logs that gave no row
    int unreadableLogs = 0;
    int replacedNames = 0;     // cards that replaced an earlier card of the same file name
    bool interrupted = false;
    int stopSignal = 2;        // the signal that interrupted the run (SIGINT by default)
    bool stoppedByFailure = false; // a failure every later card would repeat ended the run
    qint64 elapsedMs = 0;
};

// One line: "120 cards written to /qsl in 1.4 s (85.7 cards/s); 3 records skipped".
QString summaryLine(const CardsOutcome &outcome, const QString &outFolder);

// 0 when every selected card was written, 128 + the signal after an interrupt (129 SIGHUP,
// 130 SIGINT, 143 SIGTERM), 1 after any failure.
int exitStatus(const CardsOutcome &outcome);
