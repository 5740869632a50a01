#include "WindowCardPainter.h"

#include "EntryEdit.h"
#include "ListRow.h"
#include "MainWindow.h"
#include "QsoFields.h"
#include "features/CardOutputsController.h"
#include "features/QsoEntryController.h"

using card::QsoField;

QString WindowCardPainter::defaultPower() const
{
    return m_window.entryOverlay(QsoField::Power)->text();
}

QImage WindowCardPainter::paintCard(const QString &row, QsoRecord &filled)
{
    const QsoRow qso = parseListRow(row);
    const std::pair<QsoField, QString> texts[] = {
        {QsoField::CallSign, qso.callSign}, {QsoField::UtcDate, qso.date},
        {QsoField::UtcTime, qso.time},      {QsoField::Frequency, qso.frequency},
        {QsoField::Power, qso.power},       {QsoField::Mode, qso.mode},
        {QsoField::Signal, qso.report}};
    for (const auto &[field, text] : texts)
        m_window.entryOverlay(field)->setText(text);
    CardOutputsController &outputs = m_window.cardOutputs();
    outputs.snapshotCard();
    filled = m_window.qsoEntry().qsoOnScreen();
    const QImage card = outputs.snapshotImage();
    outputs.showEntryOverlays();
    for (const auto &[field, text] : texts)
        m_window.entryOverlay(field)->clear();
    m_window.qsoEntry().copyFieldsToCard();
    return card;
}
