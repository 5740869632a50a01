#include "FieldPositionsController.h"

#include "MainWindow.h"

FieldPositionsController::FieldPositionsController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
