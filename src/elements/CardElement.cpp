#include "CardElement.h"

#include "Fonts.h"
#include "KartelloError.h"
#include "ElementSurface.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

// Card text is measured and drawn with light vertical hinting whatever the desktop's scale: a
// scaled desktop turns hinting off by default, which would move letters by a pixel and make
// every card, copy and printout depend on the screen it was made on.
QFont paintFont(QFont font)
{
    font.setHintingPreference(QFont::PreferVerticalHinting);
    return font;
}


int textFlags(Qt::Alignment alignment, bool wordWrap, bool accel)
{
    int flags = Qt::AlignTop | Qt::TextExpandTabs;
    flags |= static_cast<int>(alignment & Qt::AlignHorizontal_Mask);
    if (wordWrap)
        flags |= Qt::TextWordWrap;
    if (accel)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

// A card is a document: its elements' colours and font are its own, whatever the desktop's
// colour scheme or font.
const QColor kElementColour(255, 255, 255);
const QColor kElementTextColour(0, 0, 0);
const QColor kDisabledLightColour(255, 255, 255);
const QColor kDisabledDarkColour(160, 160, 160);

// Line breaks in a caption may come as CR LF; each one starts one line.
QString normalisedLines(const QString &text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return lines;
}

} // namespace

CardElement::CardElement(QObject *owner)
    : QObject(owner),
      m_color(kElementColour),
      m_font(pixelSizedFont(QStringLiteral("Tahoma"), 8)),
      m_fontColor(kElementTextColour)
{
}

CardElement::~CardElement()
{
    if (m_surface) {
        invalidate();
        m_surface->removeElement(this);
    }
}

void CardElement::setParentWidget(QObject *parent)
{
    auto *surface = dynamic_cast<ElementSurface *>(parent);
    if (parent && !surface)
        throw KartelloError(QStringLiteral("This component must be placed on a tAlBand."));
    if (surface == m_surface)
        return;
    if (m_surface) {
        invalidate();
        m_surface->removeElement(this);
    }
    m_surface = surface;
    if (!m_surface)
        return;
    m_surface->insertElement(this);
    if (!QObject::parent())
        QObject::setParent(m_surface->surfaceObject()); // an element nobody owns goes with its surface
    if (m_parentFont)
        surfaceFontChanged();
    invalidate();
}

void CardElement::invalidate()
{
    ++m_revision;
    if (m_surface && m_visible)
        m_surface->repaintArea(m_rect);
}

void CardElement::setGeometryInternal(const QRect &rect)
{
    if (rect == m_rect)
        return;
    invalidate();
    m_rect = rect;
    invalidate();
}

namespace {

// Far beyond any card, yet small enough that no sum of a place and a size overflows: the
// rectangle's right edge is computed from them, and from it again when the text is aligned.
constexpr int kLargestCoordinate = 1 << 20;

int bounded(int value) { return std::clamp(value, -kLargestCoordinate, kLargestCoordinate); }

QRect boundedRect(int left, int top, int width, int height)
{
    return QRect(bounded(left), bounded(top), bounded(width), bounded(height));
}

} // namespace

void CardElement::setLeft(int left) { setGeometryInternal(boundedRect(left, top(), width(), height())); }
void CardElement::setTop(int top) { setGeometryInternal(boundedRect(left(), top, width(), height())); }
void CardElement::setWidth(int width) { setGeometryInternal(boundedRect(left(), top(), width, height())); }
void CardElement::setHeight(int height) { setGeometryInternal(boundedRect(left(), top(), width(), height)); }

void CardElement::setBounds(int left, int top, int width, int height)
{
    setGeometryInternal(boundedRect(left, top, width, height));
}

void CardElement::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = true; // so that the area is repainted either way
    invalidate();
    m_visible = visible;
}

void CardElement::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    invalidate();
}

void CardElement::setCaption(const QString &caption)
{
    if (m_caption == caption)
        return;
    m_caption = caption;
    adjustBounds();
    invalidate();
}

void CardElement::setAlignment(Qt::Alignment alignment)
{
    alignment &= Qt::AlignHorizontal_Mask;
    if (m_alignment == alignment)
        return;
    m_alignment = alignment;
    invalidate();
}

void CardElement::setAutoSize(bool autoSize)
{
    if (m_autoSize == autoSize)
        return;
    m_autoSize = autoSize;
    adjustBounds();
}

void CardElement::setTransparent(bool transparent)
{
    if (m_transparent == transparent)
        return;
    m_transparent = transparent;
    invalidate();
}

void CardElement::setWordWrap(bool wordWrap)
{
    if (m_wordWrap == wordWrap)
        return;
    m_wordWrap = wordWrap;
    adjustBounds();
    invalidate();
}

void CardElement::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    invalidate();
}

void CardElement::setFont(const QFont &font)
{
    m_parentFont = false;
    if (m_font == font)
        return;
    m_font = font;
    adjustBounds();
    invalidate();
}

void CardElement::setFontColor(const QColor &color)
{
    if (m_fontColor == color)
        return;
    m_fontColor = color;
    m_parentFont = false;
    adjustBounds();
    invalidate();
}

void CardElement::setParentFont(bool parentFont)
{
    if (m_parentFont == parentFont)
        return;
    m_parentFont = parentFont;
    if (parentFont)
        surfaceFontChanged();
}

void CardElement::setShowAccelChar(bool show)
{
    if (m_showAccelChar == show)
        return;
    m_showAccelChar = show;
    adjustBounds();
    invalidate();
}

void CardElement::surfaceFontChanged()
{
    if (!m_parentFont || !m_surface || m_font == m_surface->surfaceFont())
        return;
    m_font = m_surface->surfaceFont();
    adjustBounds();
    invalidate();
}

void CardElement::loaded()
{
    adjustBounds();
}

void CardElement::adjustBounds()
{
    if (!m_autoSize)
        return;
    QString text = normalisedLines(m_caption);
    if (text.isEmpty() || (m_showAccelChar && text == QLatin1String("&")))
        text += QLatin1Char(' ');
    const QFontMetrics metrics(paintFont(m_font));
    const int wrapWidth = m_wordWrap ? m_rect.width() : 0;
    const QRect needed = metrics.boundingRect(QRect(0, 0, wrapWidth, 0),
                                              textFlags(Qt::AlignLeft, m_wordWrap, m_showAccelChar), text);
    QRect r = m_rect;
    if (m_alignment & Qt::AlignRight)
        r.setLeft(r.right() + 1 - needed.width());
    r.setWidth(needed.width());
    r.setHeight(needed.height() + standInAscentDrop(m_font));
    setGeometryInternal(r);
}

void CardElement::drawText(QPainter &painter, const QRect &rect, const QString &text,
                          bool accel) const
{
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    QFont font = paintFont(m_font);
    const int flags = textFlags(m_alignment, m_wordWrap, accel);
    QString lines = normalisedLines(text);
    const bool mnemonic = accel && lines.contains(QLatin1Char('&'));
    if (!m_wordWrap && !mnemonic && !lines.contains(QLatin1Char('\n'))) {
        // A value wider than its cell (a power written as "70% Cut Dipole") is narrowed, and
        // ends in "…" when even the narrowest face is too wide: centred text cut at both
        // ends would lose its first and its last letters.
        // A pixel stays free on either side, so a fitted text never touches a cell's frame.
        const int room = rect.width() - 2;
        font = fontNarrowedToFit(font, lines, room);
        const QFontMetrics metrics(font);
        if (metrics.horizontalAdvance(lines) > room)
            lines = metrics.elidedText(lines, Qt::ElideRight, room);
    }
    painter.setFont(font);
    const QRect textRect = rect.translated(0, standInAscentDrop(m_font));
    if (!m_enabled) {
        painter.setPen(kDisabledLightColour);
        painter.drawText(textRect.translated(1, 1), flags, lines);
        painter.setPen(kDisabledDarkColour);
    } else {
        painter.setPen(m_fontColor);
    }
    painter.drawText(textRect, flags, lines);
    painter.restore();
}

void CardElement::paint(QPainter &painter)
{
    const QRect area(0, 0, width(), height());
    if (!m_transparent)
        painter.fillRect(area, m_color);
    drawText(painter, area, m_caption, m_showAccelChar);
}

void CardElement::printTo(QPainter &canvas, const QRect &rect)
{
    if (m_visible)
        printContents(canvas, rect);
}

void CardElement::printContents(QPainter &, const QRect &) {}

bool CardElement::nextValue()
{
    return false;
}

QString CardElement::printedText()
{
    return m_caption;
}
