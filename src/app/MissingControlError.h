#pragma once

#include <QString>
#include <stdexcept>

// A control name the program uses that the window does not have: a fault of the program
// itself, so the window does not start rather than run with a handler missing.
class MissingControlError : public std::logic_error
{
public:
    MissingControlError(const QString &name, const QString &className)
        : std::logic_error(QStringLiteral("Kartello's window has no control \"%1\" (%2)")
                               .arg(name, className).toStdString())
    {
    }
};
