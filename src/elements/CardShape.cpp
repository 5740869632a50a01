#include "CardShape.h"

#include <QPainter>
#include <algorithm>

ShapeFigure shapeFigure(ShapeType shape, int width, int height)
{
    const int m = std::min(width, height);
    ShapeFigure f{ShapeFigure::Rectangle, 0, 0, width, height, m / 4};
    if (shape == ShapeType::Square || shape == ShapeType::RoundSquare
        || shape == ShapeType::Circle) {
        f.x = (width - m) / 2;
        f.y = (height - m) / 2;
        f.width = f.height = m;
    }
    switch (shape) {
    case ShapeType::Rectangle:
    case ShapeType::Square:
        if (f.width <= 1)
            f.kind = ShapeFigure::VerticalLine;
        else if (f.height <= 1)
            f.kind = ShapeFigure::HorizontalLine;
        break;
    case ShapeType::RoundRect:
    case ShapeType::RoundSquare: f.kind = ShapeFigure::RoundRect; break;
    case ShapeType::Ellipse:
    case ShapeType::Circle: f.kind = ShapeFigure::Ellipse; break;
    }
    return f;
}

CardShape::CardShape(QObject *owner)
    : CardElement(owner),
      m_pen(Qt::black, 1, Qt::SolidLine),
      m_brush(Qt::white, Qt::SolidPattern)
{
    setAutoSize(false);
    setBounds(0, 0, 65, 65);
}

void CardShape::setShape(ShapeType shape)
{
    if (m_shape == shape)
        return;
    m_shape = shape;
    invalidate();
}

void CardShape::setPen(const QPen &pen)
{
    if (m_pen == pen)
        return;
    m_pen = pen;
    invalidate();
}

void CardShape::setBrush(const QBrush &brush)
{
    if (m_brush == brush)
        return;
    m_brush = brush;
    invalidate();
}

// Figures cover the pixels from (x, y) up to but excluding (x + w, y + h); lines end before
// their end point.
void CardShape::drawFigure(QPainter &painter, const QRect &box, const QPen &pen) const
{
    const ShapeFigure f = shapeFigure(m_shape, box.width(), box.height());
    const int x = box.left() + f.x;
    const int y = box.top() + f.y;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(pen);
    painter.setBrush(m_brush);
    switch (f.kind) {
    case ShapeFigure::VerticalLine:
        if (f.height == 1)
            painter.drawPoint(x, y);
        else if (f.height > 1)
            painter.drawLine(x, y, x, y + f.height - 1);
        break;
    case ShapeFigure::HorizontalLine:
        if (f.width == 1)
            painter.drawPoint(x, y);
        else if (f.width > 1)
            painter.drawLine(x, y, x + f.width - 1, y);
        break;
    case ShapeFigure::Rectangle:
        painter.drawRect(QRect(x, y, f.width - 1, f.height - 1));
        break;
    case ShapeFigure::RoundRect:
        painter.drawRoundedRect(QRect(x, y, f.width - 1, f.height - 1), f.corner / 2.0,
                                f.corner / 2.0, Qt::AbsoluteSize);
        break;
    case ShapeFigure::Ellipse:
        painter.drawEllipse(QRect(x, y, f.width - 1, f.height - 1));
        break;
    }
    painter.restore();
}

void CardShape::paint(QPainter &painter)
{
    drawFigure(painter, QRect(0, 0, width(), height()), m_pen);
}

void CardShape::printContents(QPainter &canvas, const QRect &rect)
{
    QPen pen = m_pen;
    if (pen.width() < 1)
        pen.setWidth(1);
    drawFigure(canvas, rect, pen);
}
