#include "Report.h"

#include "ReportEngine.h"

#include <QAbstractScrollArea>
#include <QScrollBar>

Report::Report(QObject *owner)
    : QObject(owner)
{
    if (auto *scrolling = qobject_cast<QAbstractScrollArea *>(owner)) {
        scrolling->horizontalScrollBar()->setValue(0);
        scrolling->verticalScrollBar()->setValue(0);
    }
    setShowFieldNames(false);
    setShowFieldCaptions(false);
}

void Report::setOrientation(PrinterOrientation orientation)
{
    m_orientation = orientation;
    reportPrinter().setOrientation(orientation);
}

void Report::setPapersize(PaperSize paper)
{
    m_papersize = paper;
    reportPrinter().setPaperSize(paper);
}

bool Report::acceptsMargin(int mm) const
{
    return mm >= 0 && mm < paperSizeMM(m_papersize).width();
}

void Report::setLeftMarginMM(int mm)
{
    if (acceptsMargin(mm))
        m_leftMarginMM = mm;
}

void Report::setRightMarginMM(int mm)
{
    if (acceptsMargin(mm))
        m_rightMarginMM = mm;
}
