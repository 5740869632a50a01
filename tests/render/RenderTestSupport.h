#pragma once

#include "CardBand.h"

#include <QImage>
#include <QRect>
#include <QWidget>
#include <memory>

// A form with one band of the given size, white, not aligned, ready to take elements.
struct BandFixture
{
    explicit BandFixture(int width = 200, int height = 100)
        : form(std::make_unique<QWidget>()), band(new CardBand(form.get()))
    {
        band->setAlign(Align::None);
        band->setGeometry(0, 0, width, height);
    }

    // The band as a snapshot sees it: rendered into an image at device pixel ratio 1.
    QImage snapshot() const
    {
        QImage image(band->size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        band->render(&image);
        return image;
    }

    std::unique_ptr<QWidget> form;
    CardBand *band;
};

// The smallest rectangle holding every pixel that differs from background (empty if none).
inline QRect paintedBounds(const QImage &image, QRgb background = qRgb(255, 255, 255))
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != background)
                bounds |= QRect(x, y, 1, 1);
        }
    }
    return bounds;
}

inline bool isPainted(const QImage &image, int x, int y)
{
    return image.pixel(x, y) != qRgb(255, 255, 255);
}
