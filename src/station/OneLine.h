#pragma once

#include <QString>

// Kartello's one-line fields (the QSO fields, the contact e-mail, the identity edits, the mail
// settings) each become one line of a data or contact file, so no line break or other control
// character may enter them, typed or pasted.
//
// A run of line breaks inside the text becomes one blank, line breaks before the first or
// after the last kept character are dropped (a call sign copied from a log with its line end
// stays the call sign), a tab becomes a blank, and every other control character is dropped.
// When cursor is given it is moved along to the same place in the result.
QString oneLineText(const QString &text, int *cursor = nullptr);
