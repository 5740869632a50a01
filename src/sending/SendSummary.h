#pragma once

#include <QString>

// The counts of a run of cards, from the selection to the server's answers.
struct SendCounts
{
    int sent = 0;
    int alreadySent = 0;
    int noAddress = 0;        // rows without an e-mail address
    int refusedAddress = 0;   // rows whose address the e-mail check refuses
    int failed = 0;           // refused by the server, or the card could not be made
    int notSent = 0;          // left when the run stopped
    int maybeSent = 0;        // an earlier send ended without the server's answer; skipped
};

// True when a card may go to email; otherwise counts it as no address or a refused one.
bool takesAddress(const QString &email, SendCounts &counts);

// One line: "12 cards sent; 3 already sent; 1 may have been sent before (not sent again); 2
// without an address; 1 failed". A dry run says
// "would be sent" instead.
QString sendSummaryLine(const SendCounts &counts, bool dryRun = false);
