#pragma once

#include "CardElement.h"

#include <QBrush>
#include <QPen>

enum class ShapeType { Rectangle, Square, RoundRect, RoundSquare, Ellipse, Circle };

// Where a frame element draws its figure inside a W x H box. Squares, round squares and
// circles are centred squares of side m = min(W, H); the others use the whole box.
struct ShapeFigure
{
    enum Kind { Rectangle, VerticalLine, HorizontalLine, RoundRect, Ellipse };
    Kind kind;
    int x, y, width, height;
    int corner; // width and height of the corner ellipse of a rounded figure: m / 4
};
ShapeFigure shapeFigure(ShapeType shape, int width, int height);

// A frame element: rectangle, square, rounded, ellipse or circle in its pen and brush.
class CardShape : public CardElement
{
    Q_OBJECT
    Q_PROPERTY(ShapeType Shape READ shape WRITE setShape)
    Q_PROPERTY(QPen Pen READ pen WRITE setPen)
    Q_PROPERTY(QBrush Brush READ brush WRITE setBrush)

public:
    explicit CardShape(QObject *owner = nullptr);

    ShapeType shape() const { return m_shape; }
    void setShape(ShapeType shape);
    QPen pen() const { return m_pen; }
    void setPen(const QPen &pen);
    QBrush brush() const { return m_brush; }
    void setBrush(const QBrush &brush);

    void paint(QPainter &painter) override;
    // As on screen, inside rect, with a pen at least 1 pixel wide.
    void printContents(QPainter &canvas, const QRect &rect) override;

private:
    void drawFigure(QPainter &painter, const QRect &box, const QPen &pen) const;

    ShapeType m_shape = ShapeType::Rectangle;
    QPen m_pen;
    QBrush m_brush;
};
