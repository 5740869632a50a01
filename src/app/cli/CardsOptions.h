#pragma once

#include "LogArguments.h"

#include <QString>
#include <QStringList>

// The picture formats of `kartello cards`.
enum class CardFormat { Jpg, Gif, Png, Pdf };

// "jpg", "gif", "png", "pdf" (any case) as a format; false when the name is none of them.
bool cardFormatFromName(const QString &name, CardFormat &format);
// The file extension with its dot (".jpg").
QString cardFormatExtension(CardFormat format);

// What `kartello cards` was asked to do, besides the logs and the selection.
struct CardsOptions : LogCommandOptions
{
    CardFormat format = CardFormat::Jpg;
    // Where the cards go; empty is the current folder.
    QString outFolder;
    // Encoding workers; 0 stands for the number of cores.
    int jobs = 0;
    bool contactInfo = true;
};

// The arguments after "cards" read into options. error is empty on success, else one line
// that names the offending argument; help and version need no log.
struct ParsedCardsOptions
{
    CardsOptions options;
    QString error;
};
ParsedCardsOptions parseCardsOptions(const QStringList &args);

// The text of `kartello cards --help`: usage, options, formats, an example and the exit statuses.
QString cardsHelpText();
