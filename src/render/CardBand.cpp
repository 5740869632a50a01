#include "CardBand.h"

#include "KartelloError.h"
#include "CardElement.h"

#include <QEvent>
#include <QMainWindow>
#include <QPainter>
#include <QStringList>

namespace {

QWidget *checkedForm(QWidget *parent)
{
    if (parent && !CardBand::isForm(parent))
        throw KartelloError(QStringLiteral("This component must be placed on a tForm."));
    return parent;
}

constexpr double pixelsPerCm = 96.0 / 2.54;

} // namespace

QString bandTypeName(BandType type)
{
    static const QStringList names = {
        QStringLiteral("Title"), QStringLiteral("PageHeader"), QStringLiteral("DetailHeader"),
        QStringLiteral("Detail"), QStringLiteral("DetailFooter"), QStringLiteral("PageFooter"),
        QStringLiteral("ReportFooter"), QStringLiteral("New Page"), QStringLiteral("GroupHeader"),
        QStringLiteral("GroupFooter")};
    return names.value(static_cast<int>(type));
}

CardBand::CardBand(QWidget *parent)
    : QWidget(checkedForm(parent))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (parent)
        parent->installEventFilter(this);
    applyAlign();
}

CardBand::~CardBand()
{
    // Elements owned elsewhere outlive the band; they simply lose their parent.
    for (CardElement *element : qAsConst(m_elements))
        element->surfaceGone(this);
}

bool CardBand::isForm(const QWidget *widget)
{
    if (!widget)
        return false;
    if (widget->isWindow())
        return true;
    auto *mainWindow = qobject_cast<const QMainWindow *>(widget->parentWidget());
    return mainWindow && mainWindow->centralWidget() == widget;
}

void CardBand::setParentWidget(QWidget *parent)
{
    checkedForm(parent);
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    const bool explicitlyHidden =
        testAttribute(Qt::WA_WState_ExplicitShowHide) && testAttribute(Qt::WA_WState_Hidden);
    setParent(parent); // Qt hides a widget it moves; on a visible form show it again
    if (parent) {
        if (!explicitlyHidden && parent->isVisible())
            show();
        parent->installEventFilter(this);
    }
    applyAlign();
}

void CardBand::setAlign(Align align)
{
    if (m_align == align)
        return;
    m_align = align;
    applyAlign();
}

void CardBand::applyAlign()
{
    const QWidget *form = parentWidget();
    if (!form || m_align == Align::None)
        return;
    const QRect area = form->rect();
    QRect r = geometry();
    switch (m_align) {
    case Align::Top: r = QRect(0, 0, area.width(), r.height()); break;
    case Align::Bottom: r = QRect(0, area.height() - r.height(), area.width(), r.height()); break;
    case Align::Left: r = QRect(0, 0, r.width(), area.height()); break;
    case Align::Right: r = QRect(area.width() - r.width(), 0, r.width(), area.height()); break;
    case Align::Client: r = area; break;
    case Align::None: break;
    }
    setGeometry(r);
}

bool CardBand::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        applyAlign();
    return QWidget::eventFilter(watched, event);
}

void CardBand::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void CardBand::setBandType(BandType type)
{
    m_bandType = type;
    if (m_showLayoutGuides)
        update();
}

void CardBand::setRuler(RulerType ruler)
{
    m_ruler = ruler;
    if (m_showLayoutGuides)
        update();
}

void CardBand::setShowLayoutGuides(bool show)
{
    m_showLayoutGuides = show;
    update();
}

void CardBand::insertElement(CardElement *element)
{
    if (!m_elements.contains(element))
        m_elements.append(element);
}

void CardBand::removeElement(CardElement *element)
{
    m_elements.removeAll(element);
}

void CardBand::paintElements(QPainter &painter)
{
    painter.save();
    painter.fillRect(rect(), m_color);
    if (m_showLayoutGuides)
        paintRuler(painter);
    for (CardElement *element : qAsConst(m_elements)) {
        if (!element->visible())
            continue;
        painter.save();
        painter.translate(element->left(), element->top());
        painter.setClipRect(QRect(0, 0, element->width(), element->height()),
                            Qt::IntersectClip);
        element->paint(painter);
        painter.restore();
    }
    painter.restore();
}

void CardBand::paintRuler(QPainter &painter)
{
    painter.save();
    QPen pen(QColor(192, 192, 192));
    pen.setStyle(Qt::DashLine);
    painter.setPen(pen);
    QFont rulerFont(QStringLiteral("Arial"));
    rulerFont.setPixelSize(11);
    painter.setFont(rulerFont);
    if (m_ruler == RulerType::Both || m_ruler == RulerType::Vertical) {
        for (int cm = 1; cm * pixelsPerCm < width(); ++cm) {
            const int x = qRound(cm * pixelsPerCm);
            painter.drawLine(x, 0, x, height());
            painter.drawText(x + 2, 11, QString::number(cm) + QStringLiteral("cm"));
        }
        painter.drawText(0, 10 + 11, bandTypeName(m_bandType));
    }
    if (m_ruler == RulerType::Both || m_ruler == RulerType::Horizontal) {
        for (int cm = 1; cm * pixelsPerCm < height(); ++cm) {
            const int y = qRound(cm * pixelsPerCm);
            painter.drawLine(0, y, width(), y);
            painter.drawText(2, y - 2, QString::number(cm) + QStringLiteral("cm"));
        }
    }
    painter.restore();
}

void CardBand::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    paintElements(painter);
}

void CardBand::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        for (CardElement *element : qAsConst(m_elements))
            element->surfaceFontChanged();
    }
    QWidget::changeEvent(event);
}
