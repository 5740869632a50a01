#pragma once

#include <QPen>
#include <QWidget>

#include "HintFlags.h"

// Draws lines along its sides or across its diagonals with one pen; what lies beneath shows
// through everywhere else. Lines leave out their end points, so a four-sided frame leaves its
// bottom-right corner pixel unset.
class LineFrame : public QWidget
{
    Q_OBJECT
public:
    enum class LineFrameStyle {
        Top = 0x01,
        Bottom = 0x02,
        Left = 0x04,
        Right = 0x08,
        Up = 0x10,    // bottom-left to top-right
        Down = 0x20,  // top-left to bottom-right
    };
    Q_DECLARE_FLAGS(LineFrameStyles, LineFrameStyle)
    Q_FLAG(LineFrameStyles)

private:
    Q_PROPERTY(QPen Pen READ pen WRITE setPen)
    Q_PROPERTY(LineFrameStyles Style READ style WRITE setStyle)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)

public:
    explicit LineFrame(QWidget *parent = nullptr);

    QPen pen() const { return m_pen; }
    void setPen(const QPen &pen);
    LineFrameStyles style() const { return m_style; }
    void setStyle(LineFrameStyles style);
    bool showHint() const { return m_hints.showHint(); }
    void setShowHint(bool on) { m_hints.setShowHint(on); }

    struct Segment {
        LineFrameStyle style;
        QPoint from;
        QPoint to;  // excluded
    };
    // The lines of `style` in drawing order for a control `size` large and a pen `penWidth`
    // wide.
    static std::vector<Segment> segments(LineFrameStyles style, QSize size, int penWidth);

    QSize sizeHint() const override { return {40, 40}; }

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QPen m_pen{Qt::black, 1};
    LineFrameStyles m_style = LineFrameStyle::Up;
    HintFlags m_hints;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(LineFrame::LineFrameStyles)
