#include "QsoEntryController.h"

#include "MainWindow.h"

QsoEntryController::QsoEntryController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
