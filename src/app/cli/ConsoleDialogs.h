#pragma once

#include "UserDialogs.h"

#include <QStringList>

// The dialogs of a run without a display: nothing is shown and nothing waits for an answer.
// Messages and error reports are kept for the command to print; every question is answered
// No (or Cancel), every file dialog and print dialog is cancelled.
class ConsoleDialogs : public UserDialogs
{
public:
    void information(const QString &text) override { m_messages << text; }
    void warning(const QString &text) override { m_messages << text; }
    Answer question(const QString &text, Buttons buttons) override;
    void errorReport(const QString &text) override { m_messages << text; }
    QString saveFileName(const QString &, const QString &, const QString &,
                         const QString &) override
    {
        return QString();
    }
    QString openFileName(const QString &, const QString &, const QString &) override
    {
        return QString();
    }
    bool printDialog(QPrinter &, const QString &) override { return false; }
    using UserDialogs::printDialog;
    void placePointer(int, int) override {}
    void placePointerOn(const QWidget *, int, int) override {}

    // What the program would have shown, oldest first; takeMessages() empties the list.
    QStringList takeMessages();

private:
    QStringList m_messages;
};
