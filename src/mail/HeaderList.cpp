#include "HeaderList.h"

#include "MailErrors.h"

namespace {

const QString kSeparator = QStringLiteral(": ");
const QString kBreak = QStringLiteral("\r\n ");

bool isContinuation(const QString &line)
{
    return line.startsWith(QLatin1Char(' ')) || line.startsWith(QLatin1Char('\t'));
}

bool isBlankOrTab(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

QString trimLeft(const QString &s)
{
    int i = 0;
    while (i < s.size() && isBlankOrTab(s[i]))
        ++i;
    return s.mid(i);
}

QString trimRight(const QString &s)
{
    int n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' '))
        --n;
    return s.left(n);
}

// Wraps the line in pieces; positions are 1-based to keep the column arithmetic readable.
QString wrap(const QString &line, int maxCol)
{
    const int len = line.size();
    auto at = [&](int pos) { return line[pos - 1]; };
    auto copy = [&](int from, int to) { return line.mid(from - 1, to - from + 1); };
    QString result;
    int col = 1, pos = 1, linePos = 1, breakPos = 0;
    bool inQuote = false;
    while (pos <= len) {
        if (line.mid(pos - 1, 2) == QLatin1String("\r\n") && pos + 2 <= len
            && isBlankOrTab(at(pos + 2))) {
            // A break already in the text (CR LF and a blank or a tab, as between encoded
            // words) ends the piece here.
            pos += 3;
            result += copy(linePos, pos - 1);
            linePos = pos;
            breakPos = 0;
            col = 2;
            continue;
        }
        const QChar c = at(pos);
        if (c == QLatin1Char('"'))
            inQuote = !inQuote;
        else if (!inQuote && isBlankOrTab(c))
            breakPos = pos;
        ++pos;
        ++col;
        if (!inQuote && col > maxCol && breakPos > linePos) {
            col = pos - breakPos;
            result += copy(linePos, breakPos);
            while (pos <= len && (isBlankOrTab(at(pos)) || at(pos) == QLatin1Char('\r')
                                  || at(pos) == QLatin1Char('\n')))
                ++pos;
            if (pos < len)
                result += kBreak;
            linePos = breakPos + 1;
        }
    }
    return result + copy(linePos, len);
}

// A value may hold line breaks only as folds (CR LF and a blank or a tab); anything else
// would start a header line of its own.
bool isSafeValue(const QString &value)
{
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == QChar(0) || c == QLatin1Char('\n'))
            return false;
        if (c == QLatin1Char('\r')) {
            if (i + 2 >= value.size() || value[i + 1] != QLatin1Char('\n') || !isBlankOrTab(value[i + 2]))
                return false;
            ++i;
        }
    }
    return true;
}

} // namespace

QStringList HeaderList::fold(const QString &line, int maxCol)
{
    QStringList lines;
    for (const QString &piece : wrap(line, maxCol).split(QStringLiteral("\r\n"))) {
        // A continuation of blanks alone ("a\r\n " at the end of a value) would be an empty
        // line, which ends the header block; it carries nothing and is left out.
        if (!lines.isEmpty() && trimLeft(piece).isEmpty())
            continue;
        lines << trimRight(piece);
    }
    return lines;
}

int HeaderList::indexOfName(const QString &name) const
{
    for (int i = 0; i < m_lines.size(); ++i) {
        const QString &line = m_lines[i];
        if (isContinuation(line))
            continue;
        const int colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            continue;
        if (line.left(colon).trimmed().compare(name.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int HeaderList::continuationEnd(int index) const
{
    int end = index + 1;
    while (end < m_lines.size() && isContinuation(m_lines[end]))
        ++end;
    return end;
}

QString HeaderList::value(const QString &name) const
{
    const int index = indexOfName(name);
    if (index < 0)
        return QString();
    const QString &first = m_lines[index];
    QString result = first.mid(first.indexOf(QLatin1Char(':')) + 1);
    const int end = continuationEnd(index);
    for (int i = index + 1; i < end; ++i) {
        if (!result.isEmpty() && !isBlankOrTab(result.back()))
            result += QLatin1Char(' ');
        result += trimLeft(m_lines[i]);
    }
    return trimLeft(result);
}

void HeaderList::setValue(const QString &name, const QString &value)
{
    if (!isSafeValue(value))
        throw UnsafeTextError(QStringLiteral("header %1").arg(name), value);
    const int index = indexOfName(name);
    if (index >= 0) {
        const int end = continuationEnd(index);
        for (int i = end - 1; i >= index; --i)
            m_lines.removeAt(i);
    }
    if (value.isEmpty())
        return;
    const QStringList folded = fold(name + kSeparator + value);
    const int at = index >= 0 ? index : int(m_lines.size());
    for (int i = 0; i < folded.size(); ++i)
        m_lines.insert(at + i, folded[i]);
}
