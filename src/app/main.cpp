#include "Fonts.h"
#include "LogArgument.h"
#include "MainWindow.h"
#include "ProgramIcon.h"
#include "cli/CommandLine.h"
#include "WindowListening.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>
#include <memory>

int main(int argc, char **argv)
{
    if (const std::optional<int> status = runSubcommand(argc, argv))
        return *status;
    QApplication app(argc, argv);
    registerFontSubstitutes();
    setProgramIdentity();
    std::unique_ptr<MainWindow> form;
    try {
        form = std::make_unique<MainWindow>();
    } catch (const MissingControlError &e) {
        std::fprintf(stderr, "kartello: cannot start: %s\n", e.what());
        QMessageBox::critical(nullptr, QStringLiteral("Kartello"),
                              QStringLiteral("Kartello cannot start:\n%1").arg(QString::fromStdString(e.what())));
        return 1;
    }
    form->show();
    if (const QString log = logArgument(QApplication::arguments().mid(1)); !log.isEmpty())
        openLogInWindow(*form, log);
    setUpListening(*form);
    return app.exec();
}
