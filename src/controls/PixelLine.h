#pragma once

#include <QPoint>
#include <vector>

class QPainter;
class QColor;

// The pixels of a one-pixel line from `from` towards `to`, the end point itself excluded, in
// drawing order. A line whose two ends coincide has no pixels. Kartello's bevels and frames
// rely on the excluded end point: a four-sided frame leaves its last corner unset.
std::vector<QPoint> linePixels(QPoint from, QPoint to);

// Plots linePixels(from, to) in `color`; the painter's pen and brush are left as they were.
void drawPixelLine(QPainter &painter, QPoint from, QPoint to, const QColor &color);
