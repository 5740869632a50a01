#include "TAlLabel.h"

#include "TAlPrinter.h"

#include <QPainter>

TAlLabel::TAlLabel(QObject *owner)
    : tAlControl(owner)
{
    setBounds(0, 0, 65, 17);
}

void TAlLabel::PrintContents(const QRect &rect)
{
    QPainter &canvas = alPrinter().canvas();
    if (!transparent())
        canvas.fillRect(rect, color());
    drawText(canvas, rect, PrintText(), false);
}
