#include "GroupFrame.h"

#include <QPainter>

namespace {

constexpr int kCaptionLeft = 8;
const QColor kShadow(128, 128, 128);
const QColor kHighlight(255, 255, 255);

} // namespace

GroupFrame::GroupFrame(const QString &caption, QWidget *parent)
    : QGroupBox(caption, parent)
{
}

QRect GroupFrame::frameRect(const QSize &size, int captionHeight)
{
    const int top = captionHeight / 2;
    return QRect(0, top, size.width(), size.height() - top);
}

QRect GroupFrame::captionRect(int captionWidth, int captionHeight)
{
    return QRect(kCaptionLeft, 0, captionWidth, captionHeight);
}

void GroupFrame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QRect frame = frameRect(size(), metrics.height());
    // Etched: a shadow line with a highlight line one pixel below and to the right.
    painter.setPen(kHighlight);
    painter.drawRect(frame.adjusted(1, 1, -1, -1));
    painter.setPen(kShadow);
    painter.drawRect(frame.adjusted(0, 0, -2, -2));
    if (title().isEmpty())
        return;
    // "&&" stands for one ampersand, as in every caption of a Qt control.
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic;
    const QRect caption = captionRect(metrics.size(flags, title()).width(), metrics.height());
    painter.fillRect(caption, palette().brush(backgroundRole()));
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(caption, flags, title());
}
