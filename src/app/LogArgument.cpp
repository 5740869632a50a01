#include "LogArgument.h"

#include "HandlerGuard.h"
#include "MainWindow.h"
#include "features/AdifController.h"

#include <QFileInfo>

bool isLogArgument(const QString &argument)
{
    if (argument.isEmpty() || argument.startsWith(QLatin1Char('-')))
        return false;
    const QString suffix = QFileInfo(argument).suffix().toLower();
    return suffix == QLatin1String("adi") || suffix == QLatin1String("adif")
           || QFileInfo(argument).isFile();
}

QString logArgument(const QStringList &arguments)
{
    for (const QString &argument : arguments)
        if (isLogArgument(argument))
            return argument;
    return QString();
}

void openLogInWindow(MainWindow &window, const QString &path)
{
    guarded([&] {
        window.adif().openPanel();
        window.adif().loadLogFile(QFileInfo(path).absoluteFilePath());
    });
}
