#include "FlatButton.h"

#include "Colors.h"
#include "FittedCaption.h"
#include "FlatButtonAccessible.h"
#include "Fonts.h"
#include "PixelLine.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {
const QColor kBevelLight = colorFromInt(15594744);
const QColor kBevelDark = colorFromInt(5197647);
constexpr int kGlyphGap = 4;  // between a glyph and the caption to its right
constexpr int kCaptionInset = 2; // the border and one pixel of fill on each side of a caption
}

FlatButton::FlatButton(QWidget *parent)
    : QWidget(parent),
      m_color(palette().color(QPalette::Button)),
      m_colorBorder(colorFromInt(8556441)),
      m_colorOverCaption(colorFromInt(0)),
      m_colorOver(colorFromInt(704216)),
      m_colorDown(colorFromInt(704216)),
      m_fontColor(Qt::black)
{
    installFlatButtonAccessibility();
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    QWidget::setFont(pixelSizedFont(QStringLiteral("Arial"), 8));
    resize(86, 22);
    connect(this, &QObject::objectNameChanged, this, [this] {
        if (!m_captionSet) {
            updateCaptionTip();
            showLook(Look::Normal);
        }
    });
}

QString FlatButton::caption() const
{
    return m_captionSet ? m_caption : objectName();
}

void FlatButton::setCaption(const QString &caption)
{
    if (m_captionSet && caption == m_caption)
        return;
    m_caption = caption;
    m_captionSet = true;
    QAccessibleEvent named(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&named);
    updateCaptionTip();
    showLook(Look::Normal);
}

void FlatButton::setColor(const QColor &color)
{
    if (color == m_color)
        return;
    m_color = color;
    showLook(Look::Normal);
}

void FlatButton::setColorBorder(const QColor &color)
{
    if (color == m_colorBorder)
        return;
    m_colorBorder = color;
    showLook(Look::Normal);
}

void FlatButton::setButtonEnabled(bool on)
{
    if (on == m_buttonEnabled)
        return;
    m_buttonEnabled = on;
    if (!on) {
        m_pressed = false;
        showLook(Look::Normal);
    }
}

void FlatButton::setGlyph(const QImage &glyph)
{
    m_glyph = glyph.convertToFormat(QImage::Format_ARGB32);
    if (!m_glyph.isNull()) {
        // The top-left pixel's colour is the glyph's transparent colour.
        const QRgb key = m_glyph.pixel(0, 0);
        for (int y = 0; y < m_glyph.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(m_glyph.scanLine(y));
            for (int x = 0; x < m_glyph.width(); ++x)
                if (line[x] == key)
                    line[x] = qRgba(0, 0, 0, 0);
        }
    }
    updateCaptionTip();
    update();
}

void FlatButton::setColorOverCaption(const QColor &color)
{
    if (color == m_colorOverCaption)
        return;
    m_colorOverCaption = color;
    update();
}

void FlatButton::setColorOver(const QColor &color)
{
    if (color == m_colorOver)
        return;
    m_colorOver = color;
    update();
}

void FlatButton::setColorDown(const QColor &color)
{
    if (color == m_colorDown)
        return;
    m_colorDown = color;
    update();
}

void FlatButton::setShowCaption(bool on)
{
    if (on == m_showCaption)
        return;
    m_showCaption = on;
    updateCaptionTip();
    showLook(Look::Normal);
}

void FlatButton::setCaptionFont(const QFont &font)
{
    if (font == this->font())
        return;
    QWidget::setFont(font);
    updateCaptionTip();
    update();
}

void FlatButton::setFontColor(const QColor &color)
{
    if (color == m_fontColor)
        return;
    m_fontColor = color;
    update();
}

QSize FlatButton::sizeHint() const
{
    return {86, 22};
}

bool FlatButton::event(QEvent *event)
{
    if (m_hints.suppresses(this, event))
        return true;
    return QWidget::event(event);
}

// Shows a look at once: a click handler that opens a dialog must see the normal look on screen.
void FlatButton::showLook(Look look)
{
    m_look = look;
    if (isVisible())
        repaint();
    else
        update();
}

void FlatButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    const QColor fill = m_look == Look::Normal ? m_color
                      : m_look == Look::Hover  ? m_colorOver
                                               : m_colorDown;
    const QColor ink = m_look == Look::Normal ? m_fontColor : m_colorOverCaption;
    // Outside the border only the frame's corner lines show; fill them like the inside.
    painter.fillRect(rect(), fill);
    paintCaption(painter, fill, ink);
    painter.setPen(m_colorBorder);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, w - 1, h - 1);
    if (m_look != Look::Normal)
        paintBevel(painter, m_look == Look::Hover);
    if (hasFocus() && w > 6 && h > 6) {
        // The keyboard's place, for a button that takes the focus by Tab.
        painter.setPen(QPen(ink, 1, Qt::DotLine));
        painter.drawRect(2, 2, w - 5, h - 5);
    }
}

int FlatButton::captionRoom() const
{
    const int glyphPart = m_glyph.isNull() ? 0 : m_glyph.width() + kGlyphGap;
    return width() - 2 * kCaptionInset - glyphPart;
}

FlatButton::ShownCaption FlatButton::shownCaption() const
{
    const QString text = m_showCaption ? caption() : QString();
    const QFont face = fittedCaptionFont(font(), text, captionRoom());
    return {face, fittedCaptionText(face, text, captionRoom())};
}

void FlatButton::updateCaptionTip()
{
    const QString whole = m_showCaption ? caption() : QString();
    showWholeCaptionAsTip(this, whole, shownCaption().text != whole);
}

void FlatButton::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    updateCaptionTip();
}

void FlatButton::paintCaption(QPainter &painter, const QColor &fill, const QColor &ink) const
{
    const ShownCaption shown = shownCaption();
    const QString &text = shown.text;
    const QFontMetrics fm(shown.font);
    const int tw = text.isEmpty() ? 0 : fm.horizontalAdvance(text);
    const int th = fm.height();
    const int shift = m_look == Look::Pressed ? 1 : 0;
    int textX = width() / 2 - tw / 2;
    if (!m_glyph.isNull()) {
        const int blockW = text.isEmpty() ? m_glyph.width() : m_glyph.width() + kGlyphGap + tw;
        const int glyphX = width() / 2 - blockW / 2;
        const int glyphY = height() / 2 - m_glyph.height() / 2;
        painter.drawImage(glyphX + shift, glyphY + shift, m_glyph);
        textX = glyphX + m_glyph.width() + kGlyphGap;
    }
    if (text.isEmpty())
        return;
    const QRect box(textX + shift, height() / 2 - th / 2 + shift, tw, th);
    painter.setFont(shown.font);
    painter.fillRect(box, fill);
    painter.setPen(ink);
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

void FlatButton::paintBevel(QPainter &painter, bool raised) const
{
    const int w = width();
    const int h = height();
    const QColor &topLeft = raised ? kBevelLight : kBevelDark;
    const QColor &bottomRight = raised ? kBevelDark : kBevelLight;
    drawPixelLine(painter, {0, h - 2}, {0, 0}, topLeft);
    drawPixelLine(painter, {0, 0}, {w - 1, 0}, topLeft);
    drawPixelLine(painter, {w - 1, 0}, {w - 1, h}, bottomRight);
    drawPixelLine(painter, {w, h - 1}, {-1, h - 1}, bottomRight);
}

void FlatButton::enterEvent(QEnterEvent *event)
{
    QWidget::enterEvent(event);
    if (!m_buttonEnabled)
        return;
    emit mouseEnter();
    showLook(m_pressed ? Look::Pressed : Look::Hover);
}

void FlatButton::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    m_leftDuringClick = true;
    if (m_buttonEnabled)
        emit mouseLeave();
    showLook(Look::Normal);
}

void FlatButton::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || !m_buttonEnabled)
        return;
    m_pressed = true;
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
    showLook(Look::Pressed);
}

void FlatButton::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !m_pressed)
        return;
    m_pressed = false;
    if (!m_buttonEnabled)
        return;
    const QPoint pos = event->position().toPoint();
    const bool over = rect().contains(pos);
    QPointer<FlatButton> alive(this);
    m_leftDuringClick = false;
    showLook(Look::Normal);
    if (over)
        emit clicked();
    if (!alive || !m_buttonEnabled)
        return;  // the action may have destroyed or locked the button
    emit mouseUp(event->button(), event->modifiers(), pos);
    // A dialog opened by the action may have taken the pointer away from the button.
    if (alive && over && m_buttonEnabled && !m_leftDuringClick)
        showLook(Look::Hover);
}

void FlatButton::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (m_buttonEnabled)
        emit mouseMove(event->modifiers(), event->position().toPoint());
}

void FlatButton::click()
{
    if (m_buttonEnabled)
        emit clicked();
}

// As QAbstractButton: Space presses the button and its release clicks; Return and Enter click
// at once. A held key's repeats do nothing.
void FlatButton::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool ours = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!ours || !m_buttonEnabled) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    if (event->isAutoRepeat())
        return;
    if (key == Qt::Key_Space) {
        m_spacePressed = true;
        showLook(Look::Pressed);
        return;
    }
    click();
}

void FlatButton::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Space || event->isAutoRepeat() || !m_spacePressed) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    event->accept();
    m_spacePressed = false;
    showLook(Look::Normal);
    click();
}

void FlatButton::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

// A Space held while the focus moves away clicks nothing.
void FlatButton::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
    if (m_spacePressed) {
        m_spacePressed = false;
        showLook(Look::Normal);
    }
}
