#include "UserDialogs.h"

#include <QApplication>
#include <QCursor>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

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

void QtUserDialogs::information(const QString &text)
{
    QMessageBox::information(dialogParent(), applicationTitle(), text);
}

void QtUserDialogs::warning(const QString &text)
{
    QMessageBox::warning(dialogParent(), QStringLiteral("Warning"), text);
}

UserDialogs::Answer QtUserDialogs::question(const QString &text, Buttons buttons)
{
    if (buttons == Buttons::YesNo) {
        const auto pressed = QMessageBox::question(dialogParent(), applicationTitle(), text,
                                                   QMessageBox::Yes | QMessageBox::No,
                                                   QMessageBox::Yes);
        return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }
    const auto pressed = QMessageBox::question(dialogParent(), applicationTitle(), text,
                                               QMessageBox::Ok | QMessageBox::Cancel,
                                               QMessageBox::Ok);
    return pressed == QMessageBox::Ok ? Answer::Ok : Answer::Cancel;
}

void QtUserDialogs::errorReport(const QString &text)
{
    QMessageBox::critical(dialogParent(), applicationTitle(), text);
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

bool QtUserDialogs::printDialog(QPrinter &printer)
{
    QPrintDialog dialog(&printer, dialogParent());
    return dialog.exec() == QDialog::Accepted;
}

void QtUserDialogs::placePointer(int dx, int dy)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen || QGuiApplication::platformName() == QLatin1String("offscreen"))
        return;
    const QRect desktop = screen->virtualGeometry();
    QCursor::setPos(desktop.x() + desktop.width() / 2 + dx,
                    desktop.y() + desktop.height() / 2 + dy);
}
