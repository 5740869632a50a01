#pragma once

#include <QStringList>

// `kartello send LOG.adi [more logs] [options]`: e-mails the cards of whole logs without a
// display, each QSO once, and records what went out in Sent.adi. args are the arguments after
// "send". Returns the exit status (see sendHelpText()).
int runSendCommand(const QStringList &args);
