#include "Fonts.h"
#include "MainWindow.h"
#include "cli/CommandLine.h"
#include "features/ListenDialog.h"

#include <QApplication>

int main(int argc, char **argv)
{
    if (const std::optional<int> status = runSubcommand(argc, argv))
        return *status;
    QApplication app(argc, argv);
    registerFontSubstitutes();
    MainWindow form;
    form.show();
    setUpListening(form);
    return app.exec();
}
