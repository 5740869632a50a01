#include "HelpController.h"

#include "ControlLookup.h"
#include "ControlNames.h"
#include "FilePlaces.h"
#include "FlatButton.h"
#include "HandlerGuard.h"
#include "HelpWindow.h"

HelpController::HelpController(ControlLookup &controls)
    : QObject(&controls.hostWidget())
    , m_controls(controls)
{
    for (const char *name : {controlnames::optionsHelpButton, controlnames::helpButton})
        connectGuarded(m_controls.control<FlatButton>(QString::fromLatin1(name)), &FlatButton::clicked,
                       this, [this] { openHelp(); });
}

void HelpController::openHelp()
{
    if (!m_window)
        m_window = new HelpWindow(filePlaces().helpPage, &m_controls.hostWidget());
    m_window->showGuide();
}

HelpWindow *HelpController::window() const
{
    return m_window;
}
