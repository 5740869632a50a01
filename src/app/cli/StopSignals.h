#pragma once

// Ctrl-C (SIGINT) and SIGTERM during a command-line run: the first one asks the run to stop
// after the card it is making; a second one ends the program at once, as usual.
void installStopSignals();
bool stopRequested();
// Asks the run to stop as a signal would, or (false) forgets that it was asked.
void setStopRequested(bool stop);
