#pragma once

#include <QObject>

class MainWindow;

// ADIF: the ADIF panel, loading a log into the QSO list, Search and Next, and the batch runs Print Selected and JPG Selected.
class AdifController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit AdifController(MainWindow &window);

private:
    MainWindow &m_window;
};
