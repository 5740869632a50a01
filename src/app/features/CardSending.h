#pragma once

#include <QString>

#include <exception>
#include <functional>

class Mailer;
class QWidget;

// What became of one send.
struct CardSendOutcome
{
    QString error;                       // the send's failure as the operator reads it
                                         // (Mailer::lastFailureText()); empty when sent or cancelled
    bool cancelled = false;              // the operator pressed Cancel
    std::exception_ptr closingFailure;   // closing the connection failed after an error
};

// A modal box saying text, titled title, with Cancel, shown while work runs on a thread of its
// own; the window keeps painting meanwhile and gets no other input. Cancel calls
// mailer.cancel(), which ends the session at once. Returns when work has ended: true when the
// operator cancelled. work must not touch widgets.
bool runBesideCancelBox(Mailer &mailer, const QString &objectName, const QString &title,
                        const QString &text, QWidget *parent, const std::function<void()> &work);

// Runs mailer.send() on a thread of its own, so the window keeps painting for the whole
// session (up to 30 s connecting and 60 s per reply), while a modal "Sending the card to
// <recipient> ..." box with Cancel keeps every other input away from the window. Cancel ends
// the session at once: the connection is closed and nothing is reported. Returns when the
// session has ended.
CardSendOutcome sendWithProgress(Mailer &mailer, const QString &recipient, QWidget *parent);
