#pragma once

#include <QColor>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QImage>
#include <QMouseEvent>
#include <QRect>
#include <QWidget>

// Renders `widget` (and its children) over a canvas filled with `canvas`, so that pixels the
// widget leaves alone keep the canvas colour.
inline QImage renderOver(QWidget &widget, const QColor &canvas = QColor(1, 2, 3))
{
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(canvas);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

inline QColor pixelAt(const QImage &image, int x, int y)
{
    return QColor::fromRgb(image.pixel(x, y));
}

// The smallest rectangle holding every pixel of `area` whose colour is not `background`.
inline QRect inkBox(const QImage &image, const QColor &background, QRect area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background.rgb())
                box |= QRect(x, y, 1, 1);
    return box;
}

inline void sendMouse(QWidget &widget, QEvent::Type type, QPoint pos,
                      Qt::MouseButton button = Qt::LeftButton)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button)
                                                                   : Qt::MouseButtons();
    QMouseEvent event(type, pos, widget.mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(&widget, &event);
}

inline void sendEnter(QWidget &widget)
{
    QEnterEvent event(QPointF(1, 1), QPointF(1, 1), widget.mapToGlobal(QPointF(1, 1)));
    QCoreApplication::sendEvent(&widget, &event);
}

inline void sendLeave(QWidget &widget)
{
    QEvent event(QEvent::Leave);
    QCoreApplication::sendEvent(&widget, &event);
}
