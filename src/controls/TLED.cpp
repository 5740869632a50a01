#include "TLED.h"

#include "TLEDBitmap.h"

#include <QMouseEvent>
#include <QPainter>

TLED::TLED(QWidget *parent)
    : QWidget(parent), m_strip(TLEDBitmap::attach(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFixedSize(FixedWidth, FixedHeight);
}

TLED::~TLED()
{
    TLEDBitmap::detach(this);
}

void TLED::setLit(bool lit)
{
    if (lit == m_lit)
        return;
    m_lit = lit;
    stateChanged();
}

void TLED::setColor(TLEDColor color)
{
    if (color == m_color)
        return;
    m_color = color;
    stateChanged();
}

void TLED::stateChanged()
{
    if (isVisible())
        repaint();
    else
        update();
    emit changeState();
}

QColor TLED::backgroundColor() const
{
    const QWidget *owner = parentWidget() ? parentWidget() : this;
    return owner->palette().color(owner->backgroundRole());
}

void TLED::paintEvent(QPaintEvent *)
{
    const int column = isEnabled() && m_lit ? 1 : 0;
    const int row = isEnabled() ? static_cast<int>(m_color) : TLEDBitmap::DisabledRow;
    const QColor background = backgroundColor();
    QPainter painter(this);
    painter.fillRect(rect(), background);
    painter.drawImage(0, 0, m_strip->cell(column, row, background));
}

bool TLED::event(QEvent *event)
{
    if (m_hints.suppresses(this, event))
        return true;
    return QWidget::event(event);
}

void TLED::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::EnabledChange)
        emit changeState();
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange
        || event->type() == QEvent::ParentChange)
        update();
    QWidget::changeEvent(event);
}

void TLED::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (size() != QSize(FixedWidth, FixedHeight))
        resize(FixedWidth, FixedHeight);
}

void TLED::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    m_pressed = event->button() == Qt::LeftButton;
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TLED::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    const bool click = m_pressed && event->button() == Qt::LeftButton
                       && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        emit clicked();
    emit mouseUp(event->button(), event->modifiers(), event->position().toPoint());
}

void TLED::mouseDoubleClickEvent(QMouseEvent *event)
{
    QWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TLED::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    emit mouseMove(event->modifiers(), event->position().toPoint());
}
