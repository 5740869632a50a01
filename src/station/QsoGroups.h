#pragma once

#include "QsoRecord.h"

#include <vector>

// Which QSOs go onto which card of a run. Each card is a list of indexes into the QSOs given.
//
// Without grouping every QSO has a card of its own, in the order given. Grouped by call, the
// QSOs of one call sign share cards: the call sign is compared as the card shows it (blanks
// around it dropped, letters in upper case), the calls come in the order of their first QSO,
// each call's QSOs in time order (UTC date, then time; a QSO whose date cannot be read comes
// after those that can, in the order given), and a call with more QSOs than perCard continues
// on a further card. perCard is kept to 1..card's limit by the caller; below 1 counts as 1.
std::vector<std::vector<int>> qsoCards(const std::vector<QsoRecord> &qsos, int perCard,
                                       bool groupByCall);

// The messages that send those cards, each a list of cards as qsoCards() makes them: one
// message per QSO without grouping; grouped, one per call sign and address, so that a call
// logged with two addresses gets a message at each (the e-mail addresses compared without
// blanks around them and ignoring letter case).
std::vector<std::vector<std::vector<int>>> qsoMessages(const std::vector<QsoRecord> &qsos, int perCard,
                                                       bool groupByCall);

// The call sign as cards and groups compare it: blanks around it dropped, a to z upper case.
QString groupingCallSign(const QString &callSign);
