#pragma once

#include <QImage>
#include <QRegion>
#include <QWidget>

// The card band's top-left 511 x 280 pixels as the widget paints them on screen, one image
// pixel per widget pixel whatever the screen's scale; hidden children (the entry overlays) are
// not in it. What the window shows, to compare the card document's pictures with.
inline QImage snapshotOfBand(QWidget *band)
{
    QImage image(511, 280, QImage::Format_RGB32);
    image.setDevicePixelRatio(1.0);
    image.fill(Qt::white);
    band->render(&image, QPoint(), QRegion(0, 0, 511, 280),
                 QWidget::DrawWindowBackground | QWidget::DrawChildren);
    return image;
}
