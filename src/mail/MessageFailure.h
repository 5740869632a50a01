#pragma once

#include <QString>

// Ends the current composition step with the given text; the mail component hands the text
// to its send-error event.
[[noreturn]] void failMessage(const QString &text);

// Refuses (UnsafeTextError) a value that is to become part of a header line when it holds
// CR, LF or NUL: such a value would start a header line (or an SMTP command) of its own.
void requireSingleLine(const QString &what, const QString &value);
