#include "CardOutputsController.h"

#include "MainWindow.h"

CardOutputsController::CardOutputsController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
