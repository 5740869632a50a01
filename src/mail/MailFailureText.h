#pragma once

#include "SmtpClient.h"

#include <QString>

class MailError;

// The failure of a send to host:port, failed at step, as the operator reads it in a window,
// on standard error and in a summary: one line, with the server named where the network
// failed, and no Winsock number ("Connection refused (mail.example.org:587)", "The server
// closed the connection during login (mail.example.org:587)"). A server's own reply line and
// the other texts stay as MailError::text() has them, their line breaks made blanks.
QString mailFailureText(const MailError &error, const QString &host, quint16 port, SmtpClient::Step step);
