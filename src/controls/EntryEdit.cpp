#include "EntryEdit.h"

#include "FittedCaption.h"
#include "OneLineText.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

EntryEdit::EntryEdit(QWidget *parent)
    : QLineEdit(parent)
{
    // The aligned look draws its text at the top; editing keeps the text on the same line.
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setValidator(new OneLineValidator(this));
}

void EntryEdit::setDisplayAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (alignment != Qt::AlignRight && alignment != Qt::AlignHCenter)
        alignment = Qt::AlignLeft;
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    update();
}

int EntryEdit::textStart(Qt::Alignment alignment, int areaWidth, int textWidth, int margin)
{
    if (alignment & Qt::AlignRight)
        return areaWidth - textWidth - margin - 1;
    if (alignment & Qt::AlignHCenter)
        return (areaWidth - textWidth) / 2;
    return margin;
}

void EntryEdit::focusInEvent(QFocusEvent *event)
{
    m_focused = true;
    m_enteredByClick = event->reason() == Qt::MouseFocusReason;
    QLineEdit::focusInEvent(event);
    update();
}

void EntryEdit::mousePressEvent(QMouseEvent *event)
{
    // The press that gave the focus keeps a selection the field's enter handler just made,
    // instead of putting the caret where the pointer landed.
    m_holdSelection = m_enteredByClick && event->button() == Qt::LeftButton && hasSelectedText();
    m_enteredByClick = false;
    if (m_holdSelection) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void EntryEdit::mouseMoveEvent(QMouseEvent *event)
{
    if (m_holdSelection) {
        event->accept();
        return;
    }
    QLineEdit::mouseMoveEvent(event);
}

void EntryEdit::mouseReleaseEvent(QMouseEvent *event)
{
    m_holdSelection = false;
    QLineEdit::mouseReleaseEvent(event);
}

void EntryEdit::focusOutEvent(QFocusEvent *event)
{
    m_focused = false;
    QLineEdit::focusOutEvent(event);
    update();
}

void EntryEdit::paintEvent(QPaintEvent *event)
{
    if (m_focused || m_alignment == Qt::AlignLeft)
        QLineEdit::paintEvent(event);
    else
        paintAligned();
}

QString EntryEdit::shownText() const
{
    switch (echoMode()) {
    case QLineEdit::NoEcho:
        return {};
    case QLineEdit::Password: {
        const QChar mask(style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, this));
        return QString(text().size(), mask);
    }
    default:
        return text();
    }
}

void EntryEdit::paintAligned()
{
    QPainter painter(this);
    QRect area = rect();
    int inner = 0;
    if (hasFrame()) {
        // Qt's edit frame is the three-dimensional border: draw it as the editing look does and
        // keep the text inside it.
        QStyleOptionFrame option;
        initStyleOption(&option);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &option, &painter, this);
        area = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
        inner = 1;
    } else {
        painter.fillRect(area, palette().color(QPalette::Active, QPalette::Base));
    }
    const QColor ink = isEnabled()
        ? palette().color(QPalette::Text)
        : QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text);
    // A text wider than the edit is narrowed, and cut with "…" at its end when even that does
    // not fit, as the card's own cell shows it; centred, it would lose both of its ends.
    const int room = area.width() - 2;
    const QFont face = fittedCaptionFont(font(), shownText(), room);
    const QString text = fittedCaptionText(face, shownText(), room);
    const QFontMetrics fm(face);
    const int horizontalMargin = textMargins().left() + inner;
    const int x = textStart(m_alignment, area.width(), fm.horizontalAdvance(text), horizontalMargin);
    painter.setClipRect(area);
    painter.setFont(face);
    painter.setPen(ink);
    painter.drawText(QRect(area.left() + x, area.top() + inner, fm.horizontalAdvance(text) + 1,
                           fm.height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}
