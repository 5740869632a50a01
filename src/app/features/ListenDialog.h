#pragma once

#include "ListenController.h"

#include <QDialog>

#include <optional>

class MainWindow;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Listen choice: whether the window listens for logged QSOs, and where: an address of this
// computer and a port ("127.0.0.1:2237") or a multicast group and a port ("224.0.0.1:2237").
// OK is off while the address cannot be read, and the line below it says why. Two boxes say
// what is done with each QSO: its card saved into the card folder, e-mailed, or both.
class ListenDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ListenDialog(const ListenSettings &settings, QWidget *parent = nullptr);

    // The choice as the dialog shows it; nothing while the address cannot be read.
    std::optional<ListenSettings> settings() const;
    QCheckBox *enabledBox() const { return m_enabled; }
    QLineEdit *addressEdit() const { return m_address; }
    QCheckBox *saveCardsBox() const { return m_saveCards; }
    QCheckBox *sendCardsBox() const { return m_sendCards; }
    QPushButton *okButton() const { return m_ok; }
    QString hint() const;

private:
    void check();

    QCheckBox *m_enabled = nullptr;
    QLineEdit *m_address = nullptr;
    QLabel *m_hint = nullptr;
    QCheckBox *m_saveCards = nullptr;
    QCheckBox *m_sendCards = nullptr;
    QPushButton *m_ok = nullptr;
};

// Keeps settings in the window's state file and listens as they say; false when the address
// cannot be listened on (the title says why).
bool applyListenChoice(MainWindow &window, const ListenSettings &settings);

// Gives the window its Listen choice, "Listen..." in the window's context menu, and listens as
// the state file says (off unless the operator turned it on). Called once the window is
// shown; a window made for a command-line run never listens.
void setUpListening(MainWindow &window);
