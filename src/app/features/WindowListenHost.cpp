#include "WindowListenHost.h"

#include "AdifController.h"
#include "EntryEdit.h"
#include "IniFile.h"
#include "MainWindow.h"

#include <QApplication>
#include <QLabel>
#include <QRadioButton>

using card::QsoField;

namespace {

// Below the card, left, where the window has room for one line.
constexpr QRect StatusPlace(14, 568, 490, 16);

} // namespace

QString WindowListenHost::defaultPower() const
{
    for (const QRadioButton *radio : m_window.findChildren<QRadioButton *>()) {
        if (radio->objectName().contains(QLatin1String("RBPower")) && radio->isChecked())
            return radio->text();
    }
    return QString();
}

bool WindowListenHost::isBusy() const
{
    return QApplication::activeModalWidget() != nullptr || QApplication::activePopupWidget() != nullptr
           || m_window.adif().isBusy();
}

void WindowListenHost::fillQso(const QsoRow &row)
{
    const std::pair<QsoField, const QString &> texts[] = {
        {QsoField::CallSign, row.callSign}, {QsoField::UtcDate, row.date},
        {QsoField::UtcTime, row.time},      {QsoField::Frequency, row.frequency},
        {QsoField::Mode, row.mode},         {QsoField::Power, row.power},
        {QsoField::Signal, row.report},
    };
    for (const auto &[field, text] : texts)
        m_window.entryOverlay(field)->setText(text);
    // The call sign put the e-mail placeholder in; an address the log has replaces it.
    if (!row.email.isEmpty())
        m_window.contactEmailField()->setText(row.email);
}

void WindowListenHost::showListenStatus(const QString &text)
{
    QLabel *line = statusLine();
    line->setText(text);
    line->setVisible(!text.isEmpty());
}

QLabel *WindowListenHost::statusLine()
{
    if (auto *line = m_window.control<QLabel>(QStringLiteral("ListenStatus")))
        return line;
    auto *line = new QLabel(&m_window);
    line->setObjectName(QStringLiteral("ListenStatus"));
    line->setGeometry(StatusPlace);
    return line;
}

void startListeningAsRemembered(MainWindow &window)
{
    IniFile state(window.storeFileName());
    state.load();
    window.listen().apply(readListenSettings(state));
}
