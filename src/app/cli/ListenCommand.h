#pragma once

#include <QStringList>

// `kartello listen [--port N | --group ADDR:PORT] [--allow ADDR[/PREFIX]] [--interface NAME]
// [--save DIR] [--send]`: waits for the QSOs that digital-mode programs log over UDP, from this
// computer or the allowed ones, and prints one line per QSO on standard output (see
// receivedQsoLine()); with --save it also writes each QSO's card and contact info file into
// DIR as JPG Selected would; with --send it e-mails that card to the QSO's address through the
// mail settings, each QSO once (Sent.adi), at the settings' pace, and says "sent", "already
// sent", "no address" or why not. Runs until SIGINT, SIGTERM or SIGHUP and then exits with 128
// plus the signal's number, after the QSOs that arrived before it (a card on its way is
// abandoned); 1 when it cannot listen or the station design cannot be read, 2 for a wrong
// command line. args are the arguments after "listen".
int runListenCommand(const QStringList &args);
