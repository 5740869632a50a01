#pragma once

#include "ListenController.h"

class MainWindow;

// The main window as the host of Listen: the QSO fields filled through their overlays with
// their change handlers running, as typed text runs them; busy while a dialog or a popup is
// open or an ADIF load or batch run goes on; the status after the window's title
// ("Kartello - Listening on 127.0.0.1:2237, last QSO K1ABC 8.12.2026 14:07").
class WindowListenHost : public ListenHost
{
public:
    explicit WindowListenHost(MainWindow &window) : m_window(window) {}

    QString defaultPower() const override;
    bool isBusy() const override;
    void fillQso(const QsoRow &row) override;
    void showListenStatus(const QString &text) override;

private:
    MainWindow &m_window;
};
