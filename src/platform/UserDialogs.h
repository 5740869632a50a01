#pragma once

#include <QPoint>
#include <QString>

class QMessageBox;
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
    // The picture-open dialog: a file dialog with a preview of the picture under the cursor.
    // Dialogs without a preview pane pick the file as openFileName() does.
    virtual QString openPictureFileName(const QString &title, const QString &initialDir,
                                        const QString &filter)
    {
        return openFileName(title, initialDir, filter);
    }

    // The system print dialog for printer; false when cancelled. Printing to a file
    // proposes proposedFile (a full path) when it is not empty.
    virtual bool printDialog(QPrinter &printer, const QString &proposedFile) = 0;
    bool printDialog(QPrinter &printer) { return printDialog(printer, QString()); }

    // Before a message box: the pointer will rest on the next box's default button, so a
    // click or Return answers it. dx, dy are the offsets the box's question calls for
    // (+10 before an OK-only box, -10 or -20 before a question); the box, centred on its
    // window, decides the place.
    virtual void placePointer(int dx, int dy) = 0;
    // Moves the pointer to the middle of widget, shifted by dx, dy.
    virtual void placePointerOn(const QWidget *widget, int dx, int dy) = 0;
};

// The middle of widget shifted by dx, dy, in global coordinates.
QPoint pointerPointOn(const QWidget *widget, int dx, int dy);

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
    QString openPictureFileName(const QString &title, const QString &initialDir,
                                const QString &filter) override;
    bool printDialog(QPrinter &printer, const QString &proposedFile) override;
    using UserDialogs::printDialog;
    void placePointer(int dx, int dy) override;
    void placePointerOn(const QWidget *widget, int dx, int dy) override;

private:
    // Shows box and returns the button pressed; the pointer goes onto its default button
    // when placePointer() asked for it.
    int runBox(QMessageBox &box);

    bool m_pointerToDefaultButton = false;
};
