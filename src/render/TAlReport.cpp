#include "TAlReport.h"

#include "AlEngine.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

TAlReport::TAlReport(QObject *owner)
    : QObject(owner)
{
    if (auto *scrolling = qobject_cast<QAbstractScrollArea *>(owner)) {
        scrolling->horizontalScrollBar()->setValue(0);
        scrolling->verticalScrollBar()->setValue(0);
    }
    setAlShowNames(false);
    setAlShowCaptions(false);
}

void TAlReport::setOrientation(TPrinterOrientation orientation)
{
    m_orientation = orientation;
    alPrinter().setOrientation(orientation);
}

void TAlReport::setPapersize(tPapersize paper)
{
    m_papersize = paper;
    alPrinter().setPaperSize(paper);
}

bool TAlReport::acceptsMargin(int mm) const
{
    return mm >= 0 && mm < paperSizeMM(m_papersize).width();
}

void TAlReport::setLeftMarginMM(int mm)
{
    if (acceptsMargin(mm))
        m_leftMarginMM = mm;
}

void TAlReport::setRightMarginMM(int mm)
{
    if (acceptsMargin(mm))
        m_rightMarginMM = mm;
}
