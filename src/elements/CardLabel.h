#pragma once

#include "CardElement.h"

// A text element: its caption in its font, from the top of its rectangle, aligned on its
// width, clipped to it; filled with its colour unless transparent.
class CardLabel : public CardElement
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool WordWrap READ wordWrap WRITE setWordWrap)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QFont Font READ font WRITE setFont)
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)
    Q_PROPERTY(bool ParentFont READ parentFont WRITE setParentFont)
    Q_PROPERTY(bool ShowAccelChar READ showAccelChar WRITE setShowAccelChar)

public:
    explicit CardLabel(QObject *owner = nullptr);

    // Fills rect unless transparent, then draws printedText literally (no access characters).
    void printContents(QPainter &canvas, const QRect &rect) override;
};
