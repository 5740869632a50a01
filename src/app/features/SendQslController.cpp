#include "SendQslController.h"

#include "MainWindow.h"

SendQslController::SendQslController(MainWindow &window)
    : QObject(&window)
    , m_window(window)
{
}
