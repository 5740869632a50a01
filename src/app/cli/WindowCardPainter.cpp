#include "WindowCardPainter.h"

#include "EntryEdit.h"
#include "ListRow.h"
#include "MainWindow.h"

QString WindowCardPainter::defaultPower() const
{
    return m_window.Power->text();
}

QImage WindowCardPainter::paintCard(const QString &row, QsoRecord &filled)
{
    const QsoRow qso = parseListRow(row);
    m_window.ContactCallSign->setText(qso.callSign);
    m_window.UTCDate->setText(qso.date);
    m_window.UTCTime->setText(qso.time);
    m_window.Freq->setText(qso.frequency);
    m_window.Power->setText(qso.power);
    m_window.Mode->setText(qso.mode);
    m_window.Signal->setText(qso.report);
    m_window.SnapshotCard();
    filled = m_window.qsoOnScreen();
    const QImage card = m_window.snapshotImage();
    m_window.showEntryOverlays();
    for (EntryEdit *field : {m_window.ContactCallSign, m_window.UTCDate, m_window.UTCTime,
                             m_window.Freq, m_window.Mode, m_window.Power, m_window.Signal})
        field->clear();
    m_window.InfoBoxes();
    return card;
}
