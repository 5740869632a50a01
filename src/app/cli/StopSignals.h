#pragma once

// SIGHUP (the terminal closed), Ctrl-C (SIGINT) and SIGTERM during a command-line run: the
// first one asks the run to stop after the card it is making; a second one ends the program
// at once, as usual.
void installStopSignals();
bool stopRequested();
// The signal that asked the run to stop (SIGINT when it was asked otherwise), 0 when none.
int stopSignal();
// Asks the run to stop as Ctrl-C would, or (false) forgets that it was asked.
void setStopRequested(bool stop);
