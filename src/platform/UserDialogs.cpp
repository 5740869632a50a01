#include "UserDialogs.h"

#include "PictureOpenDialog.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {

UserDialogs *installed = nullptr;

QString applicationTitle()
{
    return QStringLiteral("Kartello");
}

QWidget *dialogParent()
{
    return QApplication::activeWindow();
}

} // namespace

UserDialogs &userDialogs()
{
    static QtUserDialogs real;
    return installed ? *installed : real;
}

void setUserDialogs(UserDialogs *dialogs)
{
    installed = dialogs;
}

QPoint pointerPointOn(const QWidget *widget, int dx, int dy)
{
    return widget->mapToGlobal(QPoint(0, 0))
           + QPoint(widget->width() / 2 + dx, widget->height() / 2 + dy);
}

int QtUserDialogs::runBox(QMessageBox &box)
{
    if (std::exchange(m_pointerToDefaultButton, false)) {
        // Runs once the box is shown and laid out, where its buttons have their places.
        QTimer::singleShot(0, &box, [&box] {
            if (QAbstractButton *button = box.defaultButton())
                QCursor::setPos(pointerPointOn(button, 0, 0));
        });
    }
    box.exec();
    return box.standardButton(box.clickedButton());
}

void QtUserDialogs::information(const QString &text)
{
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Ok,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Ok);
    runBox(box);
}

void QtUserDialogs::warning(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Warning"), text, QMessageBox::Ok,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Ok);
    runBox(box);
}

UserDialogs::Answer QtUserDialogs::question(const QString &text, Buttons buttons)
{
    const bool yesNo = buttons == Buttons::YesNo;
    const QMessageBox::StandardButton accept = yesNo ? QMessageBox::Yes : QMessageBox::Ok;
    const QMessageBox::StandardButton refuse = yesNo ? QMessageBox::No : QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, applicationTitle(), text, accept | refuse,
                    dialogParent());
    box.setDefaultButton(accept);
    box.setEscapeButton(refuse);
    if (runBox(box) == accept)
        return yesNo ? Answer::Yes : Answer::Ok;
    return yesNo ? Answer::No : Answer::Cancel;
}

void QtUserDialogs::errorReport(const QString &text)
{
    QMessageBox box(QMessageBox::Critical, applicationTitle(), text, QMessageBox::Ok,
                    dialogParent());
    box.setDefaultButton(QMessageBox::Ok);
    runBox(box);
}

QString QtUserDialogs::saveFileName(const QString &title, const QString &initialDir,
                                    const QString &initialName, const QString &filter)
{
    return QFileDialog::getSaveFileName(dialogParent(), title, initialDir + initialName, filter,
                                        nullptr, QFileDialog::DontConfirmOverwrite);
}

QString QtUserDialogs::openFileName(const QString &title, const QString &initialDir,
                                    const QString &filter)
{
    return QFileDialog::getOpenFileName(dialogParent(), title, initialDir, filter);
}

QString QtUserDialogs::openPictureFileName(const QString &title, const QString &initialDir,
                                           const QString &filter)
{
    PictureOpenDialog dialog(dialogParent(), title, initialDir, filter);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}

bool QtUserDialogs::printDialog(QPrinter &printer, const QString &proposedFile)
{
    QPrintDialog dialog(&printer, dialogParent());
    if (!proposedFile.isEmpty()) {
        // Qt fills the file field when the dialog shows (~/print.pdf, or the file printed
        // last); the proposal replaces it right after.
        QTimer::singleShot(0, &dialog, [&dialog, proposedFile] {
            if (auto *file = dialog.findChild<QLineEdit *>(QStringLiteral("filename")))
                file->setText(proposedFile);
        });
    }
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::placePointer(int, int)
{
    m_pointerToDefaultButton = true;
}

void QtUserDialogs::placePointerOn(const QWidget *widget, int dx, int dy)
{
    if (widget)
        QCursor::setPos(pointerPointOn(widget, dx, dy));
}
