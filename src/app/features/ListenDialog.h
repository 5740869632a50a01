#pragma once

#include "ListenController.h"

#include <QDialog>

#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The Listen choice: whether the window listens for logged QSOs, and where: an address of this
// computer and a port ("127.0.0.1:2237") or a multicast group and a port ("224.0.0.1:2237").
// A box names the computers, besides this one, whose QSOs are taken ("192.168.1.0/24"). OK is
// off while the address or those computers cannot be read, and the line below them says why.
// Two boxes say what is done with each QSO: its card saved into the card folder, e-mailed, or
// both.
class ListenDialog : public QDialog
{
    Q_OBJECT
public:
    explicit ListenDialog(const ListenSettings &settings, QWidget *parent = nullptr);

    // The choice as the dialog shows it; nothing while the address cannot be read.
    std::optional<ListenSettings> settings() const;
    QCheckBox *enabledBox() const { return m_enabled; }
    QLineEdit *addressEdit() const { return m_address; }
    QLineEdit *allowedEdit() const { return m_allowed; }
    QCheckBox *saveCardsBox() const { return m_saveCards; }
    QCheckBox *sendCardsBox() const { return m_sendCards; }
    QPushButton *okButton() const { return m_ok; }
    QString hint() const;

private:
    void check();

    QCheckBox *m_enabled = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_allowed = nullptr;
    QLabel *m_hint = nullptr;
    QCheckBox *m_saveCards = nullptr;
    QCheckBox *m_sendCards = nullptr;
    QPushButton *m_ok = nullptr;
};
