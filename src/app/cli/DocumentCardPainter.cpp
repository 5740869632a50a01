#include "DocumentCardPainter.h"

#include "CardDocument.h"
#include "ListRow.h"

QImage DocumentCardPainter::paintCard(const QString &row, QsoRecord &filled)
{
    m_document.setQso(parseListRow(row));
    filled = m_document.qso();
    return m_document.paintCard();
}

QImage DocumentCardPainter::paintCard(const std::vector<QString> &rows,
                                      std::vector<QsoRecord> &filled)
{
    std::vector<QsoRecord> qsos;
    for (const QString &row : rows)
        qsos.push_back(parseListRow(row));
    QImage card = m_document.paintCard(qsos);
    filled.clear();
    for (size_t i = 0; i < qsos.size() && i < size_t(card::kMaxQsosPerCard); ++i)
        filled.push_back(m_document.shownQso(qsos[i]));
    return card;
}
