#include "LineFrame.h"

#include "PixelLine.h"

#include <QPainter>

LineFrame::LineFrame(QWidget *parent)
    : QWidget(parent)
{
    resize(40, 40);
}

void LineFrame::setPen(const QPen &pen)
{
    if (pen == m_pen)
        return;
    m_pen = pen;
    update();
}

void LineFrame::setStyle(LineFrameStyles style)
{
    if (style == m_style)
        return;
    m_style = style;
    update();
}

std::vector<LineFrame::Segment> LineFrame::segments(LineFrameStyles style, QSize size,
                                                    int penWidth)
{
    // A pen narrower than one pixel still draws one-pixel lines; size them as such.
    const int width = penWidth < 1 ? 1 : penWidth;
    const int w = width / 2;
    const int even = width % 2 == 0 ? 1 : 0;
    const int right = size.width() - w - 1 + even;
    const int bottom = size.height() - w - 1 + even;
    const Segment all[] = {
        {LineFrameStyle::Top, {w, w}, {right, w}},
        {LineFrameStyle::Bottom, {w, bottom}, {right, bottom}},
        {LineFrameStyle::Left, {w, w}, {w, bottom}},
        {LineFrameStyle::Right, {right, w}, {right, bottom}},
        {LineFrameStyle::Up, {w, bottom}, {right, w}},
        {LineFrameStyle::Down, {w, w}, {right, bottom}},
    };
    std::vector<Segment> chosen;
    for (const Segment &segment : all)
        if (style.testFlag(segment.style))
            chosen.push_back(segment);
    return chosen;
}

namespace {

// The on/off pixel pattern of a one-pixel pen's style, as a screen draws its dashed lines.
std::vector<int> dashPattern(Qt::PenStyle style)
{
    switch (style) {
    case Qt::DashLine: return {18, 6};
    case Qt::DotLine: return {3, 3};
    case Qt::DashDotLine: return {9, 6, 3, 6};
    case Qt::DashDotDotLine: return {9, 3, 3, 3, 3, 3};
    default: return {};
    }
}

void drawThinLine(QPainter &painter, const QPen &pen, QPoint from, QPoint to)
{
    const std::vector<int> pattern = dashPattern(pen.style());
    if (pattern.empty()) {
        drawPixelLine(painter, from, to, pen.color());
        return;
    }
    int period = 0;
    for (int part : pattern)
        period += part;
    int index = 0;
    for (const QPoint &p : linePixels(from, to)) {
        int phase = index++ % period;
        bool on = true;
        for (int part : pattern) {
            if (phase < part)
                break;
            phase -= part;
            on = !on;
        }
        if (on)
            painter.fillRect(p.x(), p.y(), 1, 1, pen.color());
    }
}

} // namespace

bool LineFrame::event(QEvent *event)
{
    if (m_hints.suppresses(this, event))
        return true;
    return QWidget::event(event);
}

void LineFrame::paintEvent(QPaintEvent *)
{
    if (m_pen.style() == Qt::NoPen)
        return;
    QPainter painter(this);
    const bool thin = m_pen.width() <= 1;
    if (!thin)
        painter.setPen(m_pen);
    for (const Segment &segment : segments(m_style, size(), m_pen.width())) {
        if (thin)
            drawThinLine(painter, m_pen, segment.from, segment.to);
        else
            painter.drawLine(segment.from, segment.to);
    }
}
