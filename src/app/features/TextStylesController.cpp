#include "TextStylesController.h"

#include "MainWindow.h"

TextStylesController::TextStylesController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
