#pragma once

#include <QObject>
#include <QPointer>

class ControlLookup;
class HelpWindow;

// The two Help buttons (`EncartaButton3` on the interface panel, `EncartaButton4` beside the
// command buttons): they show the user guide in Kartello's own help window, which needs no
// web browser.
class HelpController : public QObject
{
    Q_OBJECT
public:
    explicit HelpController(ControlLookup &controls);

    // Shows the help window in front with the guide, creating it at the first call.
    void openHelp();
    // The help window; nullptr until Help was first pressed.
    HelpWindow *window() const;

private:
    ControlLookup &m_controls;
    QPointer<HelpWindow> m_window;
};
