#pragma once

#include <QFont>
#include <QRect>

class CardElement;
class QObject;

// What card elements lie on and are painted by: a band in a window, or anything else that
// keeps elements in the order they were placed on it. An element tells its surface when it
// arrives, goes, or changes an area; text elements that follow their surface's font take it
// from here.
class ElementSurface
{
public:
    // The object that owns an element placed here that nobody else owns.
    virtual QObject *surfaceObject() = 0;
    virtual QFont surfaceFont() const = 0;
    // area (in the surface's coordinates) needs painting again.
    virtual void repaintArea(const QRect &area) = 0;
    virtual void insertElement(CardElement *element) = 0;
    virtual void removeElement(CardElement *element) = 0;

protected:
    ~ElementSurface() = default;
};
