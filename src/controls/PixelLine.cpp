#include "PixelLine.h"

#include <QColor>
#include <QPainter>
#include <cstdlib>

std::vector<QPoint> linePixels(QPoint from, QPoint to)
{
    // Bresenham over the major axis; the loop stops one step short of the end point.
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    const int sx = to.x() >= from.x() ? 1 : -1;
    const int sy = to.y() >= from.y() ? 1 : -1;
    const int steps = dx > dy ? dx : dy;
    std::vector<QPoint> pixels;
    pixels.reserve(static_cast<size_t>(steps));
    int x = from.x();
    int y = from.y();
    int err = (dx > dy ? dx : -dy) / 2;
    for (int i = 0; i < steps; ++i) {
        pixels.emplace_back(x, y);
        const int e = err;
        if (e > -dx) {
            err -= dy;
            x += sx;
        }
        if (e < dy) {
            err += dx;
            y += sy;
        }
    }
    return pixels;
}

void drawPixelLine(QPainter &painter, QPoint from, QPoint to, const QColor &color)
{
    for (const QPoint &p : linePixels(from, to))
        painter.fillRect(p.x(), p.y(), 1, 1, color);
}
