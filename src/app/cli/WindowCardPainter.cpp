#include "WindowCardPainter.h"

#include "EntryEdit.h"
#include "ListRow.h"
#include "MainWindow.h"
#include "QsoFields.h"
#include "features/BatchCard.h"
#include "features/QsoEntryController.h"

WindowCardPainter::~WindowCardPainter()
{
    if (m_filled)
        emptyQsoAfterBatchCard(m_window);
}

QString WindowCardPainter::defaultPower() const
{
    return m_window.entryOverlay(card::QsoField::Power)->text();
}

QImage WindowCardPainter::paintCard(const QString &row, QsoRecord &filled)
{
    m_filled = true;
    const QImage card = batchCard(m_window, parseListRow(row));
    filled = m_window.qsoEntry().qsoOnScreen();
    return card;
}
