#include "StationIdentityController.h"

#include "MainWindow.h"

StationIdentityController::StationIdentityController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
