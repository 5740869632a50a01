#include "Led.h"

#include "LedStrip.h"

#include <QMouseEvent>
#include <QPainter>

Led::Led(QWidget *parent)
    : QWidget(parent), m_strip(LedStrip::attach(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(FixedWidth, FixedHeight);
}

Led::~Led()
{
    LedStrip::detach(this);
}

void Led::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    stateChanged();
}

void Led::setColor(LedColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    stateChanged();
}

void Led::stateChanged()
{
    if (isVisible())
        repaint();
    else
        update();
    emit changeState();
}

QColor Led::backgroundColor() const
{
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole());
}

void Led::paintEvent(QPaintEvent *)
{
    const int column = isEnabled() && m_lit ? 1 : 0;
    const int row = isEnabled() ? static_cast<int>(m_color) : LedStrip::DisabledRow;
    const QColor background = backgroundColor();
    QPainter painter(this);
    painter.fillRect(rect(), background);
    painter.drawImage(0, 0, m_strip->cell(column, row, background));
}

bool Led::event(QEvent *event)
{
    if (m_hints.suppresses(this, event))
        return true;
    return QWidget::event(event);
}

void Led::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        emit changeState();
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::ParentChange)
        update();
    QWidget::changeEvent(event);
}

void Led::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (size() != QSize(FixedWidth, FixedHeight))
        resize(FixedWidth, FixedHeight);
}

void Led::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton;
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void Led::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void Led::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void Led::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    emit mouseMove(event->modifiers(), event->position().toPoint());
}
