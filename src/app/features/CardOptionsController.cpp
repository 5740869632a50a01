#include "CardOptionsController.h"

#include "MainWindow.h"

CardOptionsController::CardOptionsController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
