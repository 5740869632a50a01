#pragma once

#include "AllowedSenders.h"
#include "ListenAddress.h"

#include <QString>
#include <QStringList>

// What `kartello listen` was asked to do.
struct ListenOptions
{
    ListenAddress address;
    // Networks whose computers may send QSOs besides this computer (--allow).
    QList<SenderNetwork> allowed;
    // The interfaces a group is joined on (--interface); none: as QsoListener decides.
    QStringList interfaces;
    // Where each QSO's card and contact info file go; empty: no card is made.
    QString saveFolder;
    // Each QSO's card goes by e-mail to the QSO's address, once (the sent journal).
    bool send = false;
    bool help = false;
    bool version = false;
};

// The arguments after "listen" read into options. error is empty on success, else one line
// that names the offending argument.
struct ParsedListenOptions
{
    ListenOptions options;
    QString error;
};
ParsedListenOptions parseListenOptions(const QStringList &args);

// The text of `kartello listen --help`.
QString listenHelpText();

// The line printed for one QSO: its QSO list row, the program that logged it and what was
// done ("  K1ABC, 12.08.2026, 1407, 14.076, 50, FT8, -12 <- WSJT-X: received"). Control
// characters, which a datagram may carry in any text, are shown as "?" so that the line
// stays one line and cannot drive the terminal.
QString receivedQsoLine(const QString &row, const QString &clientId, const QString &outcome);
