#pragma once

#include "CardSelection.h"

#include <QString>
#include <QStringList>

// What `kartello send` was asked to do.
struct SendOptions
{
    QStringList logs;
    CardSelection selection;
    bool dryRun = false;
    bool resend = false;
    int perMinute = 0;   // 0: the mail settings' pace, or the default
    bool help = false;
    bool version = false;
};

// The arguments after "send" read into options. error is empty on success, else one line
// that names the offending argument; help and version need no log.
struct ParsedSendOptions
{
    SendOptions options;
    QString error;
};
ParsedSendOptions parseSendOptions(const QStringList &args);

// The text of `kartello send --help`.
QString sendHelpText();
