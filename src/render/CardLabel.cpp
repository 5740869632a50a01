#include "CardLabel.h"

#include "ReportPrinter.h"

#include <QPainter>

CardLabel::CardLabel(QObject *owner)
    : CardElement(owner)
{
    setBounds(0, 0, 65, 17);
}

void CardLabel::printContents(const QRect &rect)
{
    QPainter &canvas = reportPrinter().canvas();
    if (!transparent())
        canvas.fillRect(rect, color());
    drawText(canvas, rect, printedText(), false);
}
