#pragma once

#include "UserDialogs.h"

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>

// Dialogs for tests: records every box shown and answers from queues set up beforehand.
// Installs itself for its lifetime. A question with no answer queued fails the test.
class ScriptedDialogs : public UserDialogs
{
public:
    struct Shown {
        QString kind;   // "information", "warning", "question", "error", "save", "open", "print", "pointer"
        QString text;   // the box's text, the dialog's title, or "dx,dy" for the pointer
    };

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    std::deque<Answer> answers;
    std::deque<QString> fileNames;      // answers for save and open dialogs ("" = cancel)
    std::deque<bool> printAnswers;      // answers for the print dialog
    std::function<void(QPrinter &)> onPrint;  // e.g. switch the printer to a PDF file
    std::vector<Shown> shown;

    QStringList texts(const QString &kind) const;

    void information(const QString &text) override;
    void warning(const QString &text) override;
    Answer question(const QString &text, Buttons buttons) override;
    void errorReport(const QString &text) override;
    QString saveFileName(const QString &title, const QString &initialDir,
                         const QString &initialName, const QString &filter) override;
    QString openFileName(const QString &title, const QString &initialDir,
                         const QString &filter) override;
    // Recorded as "open picture", answered from the same queue as openFileName().
    QString openPictureFileName(const QString &title, const QString &initialDir,
                                const QString &filter) override;
    bool printDialog(QPrinter &printer, const QString &proposedFile) override;
    using UserDialogs::printDialog;
    void placePointer(int dx, int dy) override;
    // Recorded as "pointer on" with "name dx,dy".
    void placePointerOn(const QWidget *widget, int dx, int dy) override;

    // What the last file dialog was opened with.
    QString lastInitialDir, lastInitialName, lastFilter;
    // The file the last print dialog proposed for printing to a file.
    QString lastProposedPrintFile;
};
