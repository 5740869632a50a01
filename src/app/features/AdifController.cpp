#include "AdifController.h"

#include "MainWindow.h"

AdifController::AdifController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
