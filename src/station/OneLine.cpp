#include "OneLine.h"

namespace {

bool isLineBreak(QChar c)
{
    switch (c.unicode()) {
    case u'\n': case u'\r': case u'\v': case u'\f':
    case 0x0085: case 0x2028: case 0x2029:
        return true;
    default:
        return false;
    }
}

} // namespace

QString oneLineText(const QString &text, int *cursor)
{
    QString out;
    out.reserve(text.size());
    bool pendingBlank = false;   // a line break after kept text, waiting for more text
    int newCursor = -1;
    for (int i = 0; i < text.size(); ++i) {
        if (cursor && i == *cursor)
            newCursor = out.size() + (pendingBlank ? 1 : 0);
        const QChar c = text.at(i);
        if (isLineBreak(c)) {
            pendingBlank = !out.isEmpty();
            continue;
        }
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t'))
            continue;
        if (pendingBlank)
            out += QLatin1Char(' ');
        pendingBlank = false;
        out += c == QLatin1Char('\t') ? QChar(QLatin1Char(' ')) : c;
    }
    if (cursor)
        *cursor = newCursor < 0 ? int(out.size()) : qMin(newCursor, int(out.size()));
    return out;
}
