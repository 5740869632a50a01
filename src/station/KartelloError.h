#pragma once

#include <QString>
#include <stdexcept>

// A failing step of a handler. The text is what the operator reads in the error report,
// so it is always one of the program's own message texts with its value filled in.
class KartelloError : public std::runtime_error
{
public:
    explicit KartelloError(const QString &text);
    QString text() const { return m_text; }

    static KartelloError cannotOpen(const QString &path);      // "Cannot open file %s"
    static KartelloError cannotCreate(const QString &path);    // "Cannot create file %s"
    static KartelloError indexOutOfBounds(int index);          // "List index out of bounds (%d)"
    static KartelloError notAnInteger(const QString &value);   // "'%s' is not a valid integer value"

private:
    QString m_text;
};
