#include "DocumentCardPainter.h"

#include "CardDocument.h"
#include "ListRow.h"

QImage DocumentCardPainter::paintCard(const QString &row, QsoRecord &filled)
{
    const QsoRow qso = parseListRow(row);
    m_document.setQso({qso.callSign, qso.date, qso.time, qso.frequency, qso.mode, qso.power,
                       qso.report});
    filled = m_document.qso();
    return m_document.paintCard();
}
