#pragma once

#include <QObject>

class MainWindow;

// Field positions: the element selection radios, the left-right and up-down sliders, the arrow buttons, and folding the interface panel.
class FieldPositionsController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit FieldPositionsController(MainWindow &window);

private:
    MainWindow &m_window;
};
