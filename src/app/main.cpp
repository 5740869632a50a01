#include "Fonts.h"
#include "MainWindow.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    MainWindow form;
    form.show();
    return app.exec();
}
