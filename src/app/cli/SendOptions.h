#pragma once

#include "LogArguments.h"

#include <QString>
#include <QStringList>

// What `kartello send` was asked to do, besides the logs and the selection.
struct SendOptions : LogCommandOptions
{
    bool dryRun = false;
    bool resend = false;
    int perMinute = 0;   // 0: the mail settings' pace, or the default
};

// The arguments after "send" read into options. error is empty on success, else one line
// that names the offending argument; help and version need no log.
struct ParsedSendOptions
{
    SendOptions options;
    QString error;
};
ParsedSendOptions parseSendOptions(const QStringList &args);

// The text of `kartello send --help`: usage, options, an example and the exit statuses.
QString sendHelpText();
