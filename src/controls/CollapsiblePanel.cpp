#include "CollapsiblePanel.h"

#include "Fonts.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QToolButton>

namespace {

// `color` with `amount` taken from each of red, green and blue, not below 0.
QColor darkened(const QColor &color, int amount)
{
    return QColor(qMax(color.red() - amount, 0), qMax(color.green() - amount, 0),
                  qMax(color.blue() - amount, 0));
}

constexpr int kHeaderShadeAtCreation = 100;
constexpr int kHeaderShade = 20;

} // namespace

CollapsiblePanel::CollapsiblePanel(QWidget *parent)
    : QWidget(parent),
      m_color(palette().color(QPalette::Window)),
      m_header(new QLabel(this)),
      m_button(new QToolButton(m_header))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(sizeHint());
    m_header->setObjectName(QStringLiteral("Header"));
    m_header->setAlignment(Qt::AlignCenter);
    m_header->setAutoFillBackground(true);
    m_header->setGeometry(0, 0, width(), HeaderHeight);
    setHeaderColor(darkened(m_color, kHeaderShadeAtCreation));

    m_button->setObjectName(QStringLiteral("HeaderButton"));
    m_button->setText(QStringLiteral("L"));
    m_button->setFont(pixelSizedFont(QStringLiteral("Courier New"), 8, true));
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setGeometry(1, 1, 14, 14);
    connect(m_button, &QToolButton::clicked, this, &CollapsiblePanel::headerButtonClicked);

    m_timer.setInterval(1500);
    connect(&m_timer, &QTimer::timeout, this, &CollapsiblePanel::autoCloseTick);
}

void CollapsiblePanel::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QString CollapsiblePanel::headerCaption() const
{
    return m_header->text();
}

void CollapsiblePanel::setHeaderCaption(const QString &caption)
{
    m_header->setText(caption);
}

QWidget *CollapsiblePanel::header() const
{
    return m_header;
}

QColor CollapsiblePanel::headerColor() const
{
    return m_header->palette().color(QPalette::Window);
}

void CollapsiblePanel::setHeaderColor(const QColor &color)
{
    if (color == headerColor())
        return;
    QPalette palette = m_header->palette();
    palette.setColor(QPalette::Window, color);
    m_header->setPalette(palette);
}

void CollapsiblePanel::setAutoClose(bool on)
{
    if (on == m_autoClose)
        return;
    m_autoClose = on;
    // On: the header button becomes a toggle that pins the panel open while it is down.
    m_button->setCheckable(on);
    if (!on) {
        m_button->setChecked(false);
        m_pinned = false;
        m_timer.stop();  // a plain panel never folds by itself
    }
}

void CollapsiblePanel::setAutoCloseTime(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

void CollapsiblePanel::setCollapsed(bool collapsed)
{
    if (collapsed)
        fold();
    else
        unfold();
}

std::vector<int> CollapsiblePanel::steps(int from, int to, int unfolded)
{
    const int grid = unfolded >= LargePanel ? LargeStep : 1;
    std::vector<int> heights;
    const int direction = to >= from ? 1 : -1;
    for (int h = from;; h += direction) {
        if (h % grid == 0)
            heights.push_back(h);
        if (h == to)
            break;
    }
    return heights;
}

void CollapsiblePanel::fold()
{
    if (m_collapsed)
        return;
    m_collapsed = true;
    m_unfoldedHeight = height();
    moveThrough(HeaderHeight + 1);
}

void CollapsiblePanel::unfold()
{
    if (!m_collapsed)
        return;
    m_collapsed = false;
    applyHeight(HeaderHeight + 1);
    moveThrough(m_unfoldedHeight);
}

void CollapsiblePanel::moveThrough(int to)
{
    for (int h : steps(height(), to, m_unfoldedHeight))
        applyHeight(h);
    applyHeight(to);
    update();
}

// Sets one height of a fold or unfold and shows it at once, so the movement is seen.
void CollapsiblePanel::applyHeight(int h)
{
    if (h == height())
        return;
    const QRect before = geometry();
    resize(width(), h);
    emit heightStepped(h);
    QWidget *parent = parentWidget();
    if (parent && isVisible())
        parent->repaint(before.united(geometry()));
}

void CollapsiblePanel::autoCloseTick()
{
    fold();
    m_timer.stop();
}

void CollapsiblePanel::headerButtonClicked()
{
    if (m_autoClose) {
        m_pinned = m_button->isChecked();
        return;
    }
    if (m_collapsed)
        unfold();
    else
        fold();
}

void CollapsiblePanel::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (!m_autoClose)
        return;
    m_timer.stop();
    unfold();
}

void CollapsiblePanel::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (m_autoClose && !m_collapsed && !m_pinned)
        m_timer.start();
}

void CollapsiblePanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_color);
    setHeaderColor(darkened(m_color, kHeaderShade));
}

void CollapsiblePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_header->resize(width(), HeaderHeight);
}
