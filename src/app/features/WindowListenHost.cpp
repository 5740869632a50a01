#include "WindowListenHost.h"

#include "AdifController.h"
#include "EntryEdit.h"
#include "MainWindow.h"

#include <QApplication>
#include <QRadioButton>

using card::QsoField;

namespace {

const QString Title = QStringLiteral("Kartello");

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
    // The title bar has room for the line where the window has none, and the window keeps
    // its own title while Listen is off.
    m_window.setWindowTitle(text.isEmpty() ? Title : Title + QStringLiteral(" - ") + text);
}
