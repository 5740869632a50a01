#pragma once

#include <QDir>
#include <QFile>
#include <QString>

// Copies the data folder Kartello ships into to (ending in "/"), so that a bench draws the card
// a first start shows. Needs KARTELLO_SOURCE_DIR.
inline void copyShippedDataFolder(const QString &to)
{
    QDir().mkpath(to);
    const QDir shipped(QStringLiteral(KARTELLO_SOURCE_DIR "/data/system"));
    for (const QString &name : shipped.entryList(QDir::Files))
        QFile::copy(shipped.filePath(name), to + name);
}
