#pragma once

#include <QObject>

class MainWindow;

// Station identity: the eight identity edits, the "Ø" button, Load Bkg (background picture) and Load QSL (a saved card's contact info file).
class StationIdentityController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit StationIdentityController(MainWindow &window);

private:
    MainWindow &m_window;
};
