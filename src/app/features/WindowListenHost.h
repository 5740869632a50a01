#pragma once

#include "ListenController.h"

class MainWindow;
class QLabel;

// The main window as the host of Listen: the QSO fields filled through their overlays with
// their change handlers running, as typed text runs them; busy while a dialog or a popup is
// open or an ADIF load or batch run goes on; the status in the line `ListenStatus`, made here
// when the window has none.
class WindowListenHost : public ListenHost
{
public:
    explicit WindowListenHost(MainWindow &window) : m_window(window) {}

    QString defaultPower() const override;
    bool isBusy() const override;
    void fillQso(const QsoRow &row) override;
    void showListenStatus(const QString &text) override;

private:
    QLabel *statusLine();

    MainWindow &m_window;
};

// Listens as the window's state file says (off unless the operator turned it on). Called once
// the window is shown; a window made for a command-line run never listens.
void startListeningAsRemembered(MainWindow &window);
