#pragma once

#include "Picture.h"
#include "CardElement.h"

// A picture element. A bitmap is stretched over the element, centred on it (cropped equally
// on both sides when larger) or drawn at (0, 0); anything that is not a bitmap shows as a
// white rectangle with a black dash-dot outline.
class CardPictureElement : public CardElement
{
    Q_OBJECT
    Q_PROPERTY(bool Autosize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Center READ center WRITE setCenter)
    Q_PROPERTY(bool Stretch READ stretch WRITE setStretch)

public:
    explicit CardPictureElement(QObject *owner = nullptr);

    // Copies picture into the element, applies auto size and repaints.
    void setPicture(const Picture &picture);
    // The element's own picture. Loading into it in place takes effect at the next repaint.
    Picture &picture() { return m_picture; }
    const Picture &picture() const { return m_picture; }

    bool center() const { return m_center; }
    void setCenter(bool center);
    bool stretch() const { return m_stretch; }
    void setStretch(bool stretch);

    // Where a pw x ph bitmap lies in a W x H element without stretching.
    static QPoint bitmapOrigin(int elementWidth, int elementHeight, int pw, int ph, bool center);

    void paint(QPainter &painter) override;
    void printContents(QPainter &canvas, const QRect &rect) override;

protected:
    // With auto size on, the element takes the size of its picture.
    void adjustBounds() override;

private:
    void paintPlaceholder(QPainter &painter, const QRect &rect) const;

    Picture m_picture;
    bool m_center = true;
    bool m_stretch = true;
};
