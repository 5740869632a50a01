#pragma once

#include <QObject>

class MainWindow;

// Card options: the option check boxes, the background schemes B1..BA and the interface colour radios of the interface panel.
class CardOptionsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit CardOptionsController(MainWindow &window);

private:
    MainWindow &m_window;
};
