#include "TCollapsePanel.h"

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

TCollapsePanel::TCollapsePanel(QWidget *parent)
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
    m_button->setFont(designFont(QStringLiteral("Courier New"), 8, true));
    m_button->setAutoRaise(true);
    m_button->setFocusPolicy(Qt::NoFocus);
    m_button->setGeometry(1, 1, 14, 14);
    connect(m_button, &QToolButton::clicked, this, &TCollapsePanel::headerButtonClicked);

    m_timer.setInterval(1500);
    connect(&m_timer, &QTimer::timeout, this, &TCollapsePanel::autoCloseTick);
}

void TCollapsePanel::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QString TCollapsePanel::headerCaption() const
{
    return m_header->text();
}

void TCollapsePanel::setHeaderCaption(const QString &caption)
{
    m_header->setText(caption);
}

QWidget *TCollapsePanel::header() const
{
    return m_header;
}

QColor TCollapsePanel::headerColor() const
{
    return m_header->palette().color(QPalette::Window);
}

void TCollapsePanel::setHeaderColor(const QColor &color)
{
    if (color == headerColor())
        return;
    QPalette palette = m_header->palette();
    palette.setColor(QPalette::Window, color);
    m_header->setPalette(palette);
}

void TCollapsePanel::setAutoClose(bool on)
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

void TCollapsePanel::setAutoCloseTime(int milliseconds)
{
    m_timer.setInterval(milliseconds);
}

void TCollapsePanel::setCollapsed(bool collapsed)
{
    if (collapsed)
        fold();
    else
        unfold();
}

std::vector<int> TCollapsePanel::steps(int from, int to, int unfolded)
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

void TCollapsePanel::fold()
{
    if (m_collapsed)
        return;
    m_collapsed = true;
    m_unfoldedHeight = height();
    moveThrough(HeaderHeight + 1);
}

void TCollapsePanel::unfold()
{
    if (!m_collapsed)
        return;
    m_collapsed = false;
    applyHeight(HeaderHeight + 1);
    moveThrough(m_unfoldedHeight);
}

void TCollapsePanel::moveThrough(int to)
{
    for (int h : steps(height(), to, m_unfoldedHeight))
        applyHeight(h);
    applyHeight(to);
    update();
}

// Sets one height of a fold or unfold and shows it at once, so the movement is seen.
void TCollapsePanel::applyHeight(int h)
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

void TCollapsePanel::autoCloseTick()
{
    fold();
    m_timer.stop();
}

void TCollapsePanel::headerButtonClicked()
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

void TCollapsePanel::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (!m_autoClose)
        return;
    m_timer.stop();
    unfold();
}

void TCollapsePanel::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    if (m_autoClose && !m_collapsed && !m_pinned)
        m_timer.start();
}

void TCollapsePanel::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), m_color);
    setHeaderColor(darkened(m_color, kHeaderShade));
}

void TCollapsePanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_header->resize(width(), HeaderHeight);
}
