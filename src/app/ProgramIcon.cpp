#include "ProgramIcon.h"

#include <QGuiApplication>

QIcon programIcon()
{
    QIcon icon;
    for (const int size : {48, 128, 256})
        icon.addFile(QStringLiteral(":/icons/kartello-%1.png").arg(size), QSize(size, size));
    return icon;
}

QString desktopFileName()
{
    return QStringLiteral("org.kartello.Kartello");
}

void setProgramIdentity()
{
    QGuiApplication::setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName(desktopFileName());
}
