#pragma once

#include <QString>

class QPrinter;
class QWidget;

// Everything that asks the operator something or moves the pointer goes through this
// interface, so that tests can answer questions and pick files without showing anything.
class UserDialogs
{
public:
    enum class Answer { Yes, No, Ok, Cancel };
    enum class Buttons { YesNo, OkCancel };

    virtual ~UserDialogs() = default;

    // A plain message box with an OK button, titled with the application title.
    virtual void information(const QString &text) = 0;
    // A warning box titled "Warning" with an OK button.
    virtual void warning(const QString &text) = 0;
    // A question; returns the button pressed (closing the box counts as No / Cancel).
    virtual Answer question(const QString &text, Buttons buttons) = 0;
    // The general error report: a message box with the error's text.
    virtual void errorReport(const QString &text) = 0;

    // File dialogs; an empty result means the operator cancelled.
    // filter uses Qt's syntax ("JPEG files (*.jpg)"), initialDir ends with '/'.
    virtual QString saveFileName(const QString &title, const QString &initialDir,
                                 const QString &initialName, const QString &filter) = 0;
    virtual QString openFileName(const QString &title, const QString &initialDir,
                                 const QString &filter) = 0;

    // The system print dialog for printer; false when cancelled.
    virtual bool printDialog(QPrinter &printer) = 0;

    // Moves the pointer to (desktop width div 2 + dx, desktop height div 2 + dy) of the
    // virtual desktop; does nothing where the windowing system refuses.
    virtual void placePointer(int dx, int dy) = 0;
};

// The dialogs in use; the real Qt dialogs unless a test installed others.
UserDialogs &userDialogs();
// Installs dialogs (nullptr restores the real ones); the caller keeps ownership.
void setUserDialogs(UserDialogs *dialogs);

// The real dialogs on the desktop.
class QtUserDialogs : public UserDialogs
{
public:
    void information(const QString &text) override;
    void warning(const QString &text) override;
    Answer question(const QString &text, Buttons buttons) override;
    void errorReport(const QString &text) override;
    QString saveFileName(const QString &title, const QString &initialDir,
                         const QString &initialName, const QString &filter) override;
    QString openFileName(const QString &title, const QString &initialDir,
                         const QString &filter) override;
    bool printDialog(QPrinter &printer) override;
    void placePointer(int dx, int dy) override;
};
