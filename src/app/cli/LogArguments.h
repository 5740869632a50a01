#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The arguments of a command that takes ADIF logs and options ("kartello cards", "kartello
// send"), walked left to right. A word that does not start with "-", and "-" itself (standard
// input), is a log; after "--" every word is a log. Any other word goes to flag(word) first;
// when that does not take it, it must be one of valueOptions with its value as the next word
// or after "=", and goes to value(name, text), whose answer is an error text or empty.
struct LogArgumentRules
{
    std::function<bool(const QString &word)> flag;
    QStringList valueOptions;
    std::function<QString(const QString &name, const QString &text)> value;
};

// Puts the logs into logs and gives the first error ("unknown option X", "X needs a value",
// or value's own), empty when every word was taken.
QString walkLogArguments(const QStringList &args, const LogArgumentRules &rules, QStringList &logs);
