#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Pieces of reading a server's replies that need no socket, so they can be tested and fuzzed
// on plain bytes.

// Cuts the first line (ending in LF) off buffer into line, without the LF and one CR before
// it; false when no LF is there yet. A line longer than maxLineLength bytes, or a pending
// piece already longer than that without a line end, throws ReplyLineTooLongError.
bool cutLine(QByteArray &buffer, int maxLineLength, QString &line);

// A reply line with blanks and control characters removed from both ends.
QString trimReplyLine(const QString &line);

// Gathers the lines of one reply. A reply is one line, or a first line whose fourth
// character is "-" followed by lines up to one that is shorter than four characters or
// starts with the first line's code and a blank (letter case ignored). A server that never
// ends its reply is stopped by the bounds: more than kMaxLines lines or kMaxBytes characters
// throw ReplyTooLargeError.
class ReplyAssembler
{
public:
    enum class State { AwaitingFirstLine, AwaitingMoreLines, Complete };

    static constexpr int kMaxLines = 512;
    static constexpr int kMaxBytes = 65536;

    // Starts a new reply.
    void reset();
    // Adds one non-empty, trimmed line; returns the state after it.
    State addLine(const QString &line);

    State state() const { return m_state; }
    const QStringList &lines() const { return m_lines; }

private:
    State m_state = State::AwaitingFirstLine;
    QStringList m_lines;
    QString m_lastPrefix;
    qsizetype m_bytes = 0;
};
