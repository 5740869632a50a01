#pragma once

#include <QStringList>

// `kartello cards LOG.adi [more logs] [options]`: the cards of whole logs without a display,
// with the station design that the window shows. args are the arguments after "cards".
// Returns the exit status (see cardsHelpText()).
int runCardsCommand(const QStringList &args);
