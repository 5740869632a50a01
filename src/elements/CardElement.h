#pragma once

#include <QColor>
#include <QFont>
#include <QObject>
#include <QRect>
#include <QString>

class QPainter;
class ElementSurface;

// Common base of every card element. An element is windowless: it has no widget of its own
// and is painted by its surface (a band in a window), in the order in which it was placed
// there, like a graphic control painting on its parent. It carries the text-element machinery
// (caption, font, alignment, auto size); frames and pictures replace the painting.
//
// The QObject parent is the element's owner (the document or window that names it); the
// surface it lies on is a separate reference set with setParentWidget().
class CardElement : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int Left READ left WRITE setLeft)
    Q_PROPERTY(int Top READ top WRITE setTop)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(bool visible READ visible WRITE setVisible)
    Q_PROPERTY(bool Enabled READ enabled WRITE setEnabled)

public:
    explicit CardElement(QObject *owner = nullptr);
    ~CardElement() override;

    // Places the element on a surface; nullptr takes it off. Anything else than a surface
    // raises "This component must be placed on a tAlBand." and leaves the parent as it was.
    void setParentWidget(QObject *parent);
    ElementSurface *surface() const { return m_surface; }

    // Counts the changes that alter how the element looks, so that a picture kept of it can
    // tell whether it is still true.
    quint64 revision() const { return m_revision; }

    int left() const { return m_rect.left(); }
    int top() const { return m_rect.top(); }
    int width() const { return m_rect.width(); }
    int height() const { return m_rect.height(); }
    QRect geometry() const { return m_rect; }
    // Each value is kept within a million pixels or so of the card, so no edge overflows.
    void setLeft(int left);
    void setTop(int top);
    void setWidth(int width);
    void setHeight(int height);
    void setBounds(int left, int top, int width, int height);

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    QString caption() const { return m_caption; }
    void setCaption(const QString &caption);
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);
    bool autoSize() const { return m_autoSize; }
    virtual void setAutoSize(bool autoSize);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool transparent);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wordWrap);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QFont font() const { return m_font; }
    void setFont(const QFont &font);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);
    bool parentFont() const { return m_parentFont; }
    void setParentFont(bool parentFont);
    // With it on (the default) "&" marks the access character of the caption; off, the
    // caption shows every "&" as it was typed.
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool show);

    // After the window description is loaded: re-measures an auto-sized element.
    virtual void loaded();

    // Paints the element in its own coordinates ((0, 0) is its top-left corner) on a
    // painter already clipped to the element. Used for the screen and for every image.
    virtual void paint(QPainter &painter);

    // Report layer. printTo does nothing for an invisible element, else printContents on the
    // canvas (the report printer's, when a report prints).
    virtual void printTo(QPainter &canvas, const QRect &rect);
    virtual void printContents(QPainter &canvas, const QRect &rect);
    virtual bool nextValue();
    virtual QString printedText();

    // Called by the surface when its font changes.
    void surfaceFontChanged();
    // Called by a surface as it goes away.
    void surfaceGone(const ElementSurface *surface)
    {
        if (m_surface == surface)
            m_surface = nullptr;
    }

protected:
    // Repaints the element's area on its surface and counts the change.
    void invalidate();
    // Re-measures the element when auto size is on.
    virtual void adjustBounds();
    // Draws text the way a text element does: its font and colour, aligned on the width of
    // rect, from the top, tabs expanded, clipped to rect; with accel the access-character
    // rule applies ("&" hidden, next character underlined, "&&" one ampersand).
    void drawText(QPainter &painter, const QRect &rect, const QString &text, bool accel) const;
    void setGeometryInternal(const QRect &rect);

private:
    ElementSurface *m_surface = nullptr;
    quint64 m_revision = 0;
    QRect m_rect{0, 0, 65, 17};
    bool m_visible = true;
    bool m_enabled = true;
    QString m_caption;
    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_autoSize = true;
    bool m_transparent = true;
    bool m_wordWrap = false;
    QColor m_color;
    QFont m_font;
    QColor m_fontColor;
    bool m_parentFont = true;
    bool m_showAccelChar = true;
};
