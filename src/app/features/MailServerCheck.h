#pragma once

#include <QString>

class Mailer;
class QWidget;

// What a try of the mail settings found.
struct MailServerCheck
{
    bool reached = false;     // connected, greeted, and the login (when one was asked) taken
    bool loggedIn = false;    // a login was made and accepted
    bool cancelled = false;   // the operator pressed Cancel
    QString error;            // why not, when not reached and not cancelled
};

// Connects to the server as mailer's host, port and security say, logs in when its user name
// asks for a login (never without security), and ends the session with "Quit": no message is
// sent. Runs on a thread of its own behind a modal "Testing the mail server HOST:PORT ..." box
// whose Cancel ends the try at once, so the window keeps painting meanwhile.
MailServerCheck checkMailServer(Mailer &mailer, QWidget *parent);

// The operator's report of check for the server named server ("host:port"): what was reached,
// whether a login was made, and that nothing was sent; or why the try failed.
QString mailServerCheckReport(const QString &server, const MailServerCheck &check, bool secure,
                              bool loginAsked);
