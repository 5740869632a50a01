#pragma once

#include <QObject>

class MainWindow;

// Send QSL: e-mailing a saved card to the contact, the mail settings panel and the Help buttons.
class SendQslController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit SendQslController(MainWindow &window);

private:
    MainWindow &m_window;
};
