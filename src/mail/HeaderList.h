#pragma once

#include <QString>
#include <QStringList>

// Header lines "Name: value" with continuation lines (beginning with a blank or a tab).
// Names are compared without regard to case. A value is folded at column 78 when it is set
// and unfolded when it is read.
class HeaderList
{
public:
    static constexpr int kFoldLength = 78;

    // The unfolded value of the first header with this name; empty when there is none.
    QString value(const QString &name) const;
    // Replaces the header (with its continuation lines) by the folded "name: value", or
    // appends it when the name is new. An empty value removes the header. A value holding
    // NUL, or a line break that is not a fold (CR LF and a blank or tab), throws UnsafeTextError.
    void setValue(const QString &name, const QString &value);

    // Appends one stored line as it stands (no folding).
    void add(const QString &line) { m_lines << line; }
    void clear() { m_lines.clear(); }
    int count() const { return int(m_lines.size()); }
    bool isEmpty() const { return m_lines.isEmpty(); }
    const QStringList &lines() const { return m_lines; }

    // Index of the first line that carries this header name, or -1.
    int indexOfName(const QString &name) const;

    // The line wrapped at maxCol on blanks and tabs outside double quotes; continuation
    // lines start with a blank, every line has its trailing blanks removed, and no line is
    // empty or blanks alone.
    static QStringList fold(const QString &line, int maxCol = kFoldLength);

private:
    int continuationEnd(int index) const;

    QStringList m_lines;
};
