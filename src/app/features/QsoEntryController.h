#pragma once

#include <QObject>

class MainWindow;

// QSO entry: the seven QSO fields, the quick-pick buttons, the calendar, the contact e-mail field and its popup menu, Clear, and the check before output.
class QsoEntryController : public QObject
{
    Q_OBJECT
public:
    // Connects the feature's controls of window to their handlers.
    explicit QsoEntryController(MainWindow &window);

private:
    MainWindow &m_window;
};
