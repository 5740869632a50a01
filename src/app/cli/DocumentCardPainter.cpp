#include "DocumentCardPainter.h"

#include "CardDocument.h"
#include "ListRow.h"

QImage DocumentCardPainter::paintCard(const QString &row, QsoRecord &filled)
{
    m_document.setQso(parseListRow(row));
    filled = m_document.qso();
    return m_document.paintCard();
}
