#include "CardLabel.h"

#include <QPainter>

CardLabel::CardLabel(QObject *owner)
    : CardElement(owner)
{
    setBounds(0, 0, 65, 17);
}

void CardLabel::printContents(QPainter &canvas, const QRect &rect)
{
    if (!transparent())
        canvas.fillRect(rect, color());
    drawText(canvas, rect, printedText(), false);
}
