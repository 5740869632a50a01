#include "CardPictureElement.h"

#include <QPainter>

CardPictureElement::CardPictureElement(QObject *owner)
    : CardElement(owner)
{
    CardElement::setAutoSize(false);
    setBounds(0, 0, 100, 100);
}

void CardPictureElement::setPicture(const Picture &picture)
{
    m_picture = picture;
    adjustBounds();
    invalidate();
}

void CardPictureElement::setCenter(bool center)
{
    if (m_center == center)
        return;
    m_center = center;
    invalidate();
}

void CardPictureElement::setStretch(bool stretch)
{
    if (m_stretch == stretch)
        return;
    m_stretch = stretch;
    invalidate();
}

void CardPictureElement::adjustBounds()
{
    if (!autoSize() || m_picture.width() <= 0 || m_picture.height() <= 0)
        return;
    setBounds(left(), top(), m_picture.width(), m_picture.height());
}

QPoint CardPictureElement::bitmapOrigin(int elementWidth, int elementHeight, int pw, int ph,
                                        bool center)
{
    if (!center)
        return QPoint(0, 0);
    // C++ division truncates toward zero, as the centring rule wants for larger pictures.
    return QPoint((elementWidth - pw) / 2, (elementHeight - ph) / 2);
}

void CardPictureElement::paintPlaceholder(QPainter &painter, const QRect &rect) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1, Qt::DashDotLine));
    painter.setBrush(QBrush(Qt::white, Qt::SolidPattern));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

void CardPictureElement::paint(QPainter &painter)
{
    const QRect area(0, 0, width(), height());
    if (!m_picture.isBitmap()) {
        paintPlaceholder(painter, area);
        return;
    }
    const QImage &image = m_picture.image();
    if (m_stretch)
        painter.drawImage(area, image);
    else
        painter.drawImage(bitmapOrigin(width(), height(), image.width(), image.height(), m_center),
                          image);
}

void CardPictureElement::printContents(QPainter &canvas, const QRect &rect)
{
    if (!m_picture.isBitmap()) {
        paintPlaceholder(canvas, rect);
        return;
    }
    if (m_stretch) {
        canvas.drawImage(rect, m_picture.image());
        return;
    }
    // Laid out at the element's own size first, then that whole picture is stretched.
    QImage own(qMax(1, width()), qMax(1, height()), QImage::Format_RGB32);
    own.fill(Qt::white);
    {
        QPainter painter(&own);
        paint(painter);
    }
    canvas.drawImage(rect, own);
}
