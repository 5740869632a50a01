#include "Fonts.h"
#include "LogArgument.h"
#include "MainWindow.h"
#include "ProgramIcon.h"
#include "cli/CommandLine.h"

#include <QApplication>

int main(int argc, char **argv)
{
    if (const std::optional<int> status = runSubcommand(argc, argv))
        return *status;
    QApplication app(argc, argv);
    registerFontSubstitutes();
    setProgramIdentity();
    MainWindow form;
    form.show();
    if (const QString log = logArgument(QApplication::arguments().mid(1)); !log.isEmpty())
        openLogInWindow(form, log);
    return app.exec();
}
