#include "ListenDialog.h"


#include <QAction>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

ListenDialog::ListenDialog(const ListenSettings &settings, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ListenDialog"));
    setWindowTitle(QStringLiteral("Listen"));
    auto *layout = new QVBoxLayout(this);
    m_enabled = new QCheckBox(QStringLiteral("Listen for QSOs logged by WSJT-X, JTDX and the like"), this);
    m_enabled->setChecked(settings.enabled);
    m_address = new QLineEdit(settings.address.toString(), this);
    m_allowed = new QLineEdit(allowedSendersText(settings.allowed), this);
    m_allowed->setObjectName(QStringLiteral("ListenAllow"));
    m_allowed->setPlaceholderText(QStringLiteral("this computer only"));
    m_allowed->setToolTip(QStringLiteral("Addresses or networks, separated by commas, such as 192.168.1.20 or "
                                         "192.168.1.0/24. Every computer named here can have cards e-mailed in "
                                         "your name."));
    m_hint = new QLabel(this);
    m_saveCards = new QCheckBox(QStringLiteral("Save each QSO's card into the card folder, as Create JPG does"), this);
    m_saveCards->setChecked(settings.saveCards);
    m_sendCards = new QCheckBox(QStringLiteral("E-mail each QSO's card to the QSO's address (once: Sent.adi)"), this);
    m_sendCards->setChecked(settings.sendCards);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    layout->addWidget(m_enabled);
    layout->addWidget(new QLabel(QStringLiteral("Address and port, or multicast group and port:"), this));
    layout->addWidget(m_address);
    layout->addWidget(new QLabel(QStringLiteral("Also take QSOs from these computers (this one always):"), this));
    layout->addWidget(m_allowed);
    layout->addWidget(m_hint);
    layout->addWidget(m_saveCards);
    layout->addWidget(m_sendCards);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_address, &QLineEdit::textChanged, this, &ListenDialog::check);
    connect(m_allowed, &QLineEdit::textChanged, this, &ListenDialog::check);
    check();
}

std::optional<ListenSettings> ListenDialog::settings() const
{
    const auto address = parseListenAddress(m_address->text());
    const auto allowed = parseAllowedSenders(m_allowed->text());
    if (!address || !allowed)
        return std::nullopt;
    ListenSettings settings;
    settings.enabled = m_enabled->isChecked();
    settings.address = *address;
    settings.allowed = *allowed;
    settings.saveCards = m_saveCards->isChecked();
    settings.sendCards = m_sendCards->isChecked();
    return settings;
}

QString ListenDialog::hint() const
{
    return m_hint->text();
}

void ListenDialog::check()
{
    const auto chosen = settings();
    m_ok->setEnabled(chosen.has_value());
    QString why;
    if (!parseListenAddress(m_address->text()))
        m_hint->setText(QStringLiteral("Not an address: write it as 127.0.0.1:2237 or 224.0.0.1:2237."));
    else if (!parseAllowedSenders(m_allowed->text(), &why))
        m_hint->setText(QStringLiteral("Not a computer to take QSOs from: %1.").arg(why));
    else if (chosen->address.isGroup())
        m_hint->setText(chosen->allowed.isEmpty()
                            ? QStringLiteral("A multicast group, shared with other listeners, joined on this computer.")
                            : QStringLiteral("A multicast group, shared with other listeners, joined on every network."));
    else
        m_hint->setText(QStringLiteral("An address of this computer."));
}
