#include "ReplyReader.h"

#include "MailErrors.h"

bool cutLine(QByteArray &buffer, int maxLineLength, QString &line)
{
    // maxLineLength counts the line's own bytes; one more may be the CR of its end.
    const qsizetype lf = buffer.indexOf('\n');
    if (lf < 0) {
        if (buffer.size() > qsizetype(maxLineLength) + 1)
            throw ReplyLineTooLongError(maxLineLength);
        return false;
    }
    qsizetype end = lf;
    if (end > 0 && buffer.at(end - 1) == '\r')
        --end;
    if (end > maxLineLength)
        throw ReplyLineTooLongError(maxLineLength);
    line = QString::fromUtf8(buffer.constData(), end);
    buffer.remove(0, lf + 1);
    return true;
}

QString trimReplyLine(const QString &line)
{
    // trimmed() drops blanks only; a reply line never holds control characters worth
    // keeping at either end.
    qsizetype from = 0;
    qsizetype to = line.size();
    while (from < to && line.at(from).unicode() <= ' ')
        ++from;
    while (to > from && line.at(to - 1).unicode() <= ' ')
        --to;
    return line.mid(from, to - from);
}

void ReplyAssembler::reset()
{
    m_state = State::AwaitingFirstLine;
    m_lines.clear();
    m_lastPrefix.clear();
    m_bytes = 0;
}

ReplyAssembler::State ReplyAssembler::addLine(const QString &line)
{
    if (m_state == State::Complete)
        reset();
    m_bytes += line.size();
    if (m_lines.size() >= kMaxLines || m_bytes > kMaxBytes)
        throw ReplyTooLargeError(kMaxLines, kMaxBytes);
    m_lines.append(line);
    switch (m_state) {
    case State::AwaitingFirstLine:
        if (line.size() > 3 && line.at(3) == QLatin1Char('-')) {
            m_lastPrefix = line.left(3) + QLatin1Char(' ');
            m_state = State::AwaitingMoreLines;
        } else {
            m_state = State::Complete;
        }
        break;
    case State::AwaitingMoreLines:
        if (line.size() < 4 || line.left(4).compare(m_lastPrefix, Qt::CaseInsensitive) == 0)
            m_state = State::Complete;
        break;
    case State::Complete:
        break;
    }
    return m_state;
}
