#pragma once

#include <QObject>

class MainWindow;

// Card outputs: Create JPG, Create GIF, Copy QSL and Print.
class CardOutputsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit CardOutputsController(MainWindow &window);

private:
    MainWindow &m_window;
};
