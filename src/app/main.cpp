#include "Fonts.h"
#include "TForm1.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    registerFontSubstitutes();
    TForm1 form;
    form.show();
    return app.exec();
}
