#pragma once

#include <QObject>

class MainWindow;

// Text styles: the call-sign, name and info font panels (face, size, bold, italic, underline, colour, width).
class TextStylesController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit TextStylesController(MainWindow &window);

private:
    MainWindow &m_window;
};
