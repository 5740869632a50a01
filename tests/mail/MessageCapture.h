#pragma once

#include "MessageWriter.h"

#include <QByteArray>
#include <QFile>
#include <QIODevice>
#include <QString>

#include <functional>

// A message sink that keeps every byte the writer sends, in order, as the connection would
// put them on the wire. failAt (when set) is asked before each write and may throw.
class MessageCapture : public MessageSink
{
public:
    void writeLine(const QByteArray &line) override
    {
        if (failAt)
            failAt(bytes, false);
        bytes += line + "\r\n";
    }
    void writeStream(QIODevice &stream) override
    {
        if (failAt)
            failAt(bytes, true);
        if (auto file = dynamic_cast<QFile *>(&stream))
            streamedFrom = file->fileName();
        streamedFileExisted = QFile::exists(streamedFrom);
        bytes += stream.readAll();
    }

    QByteArray bytes;
    QString streamedFrom;
    bool streamedFileExisted = false;
    std::function<void(const QByteArray &sofar, bool stream)> failAt;
};
