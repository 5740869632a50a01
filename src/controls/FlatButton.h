#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

#include "HintFlags.h"

// Kartello's flat push button. It paints itself completely: a one-pixel border, a hover colour
// with a raised bevel and a pressed colour with a sunken bevel. It takes no keyboard focus of
// its own accord; given the focus (by Tab where the window lets it, by the program or an
// assistive tool) it shows a dotted frame and answers Space and Return as a push button does.
// To assistive tools it is a push button named by its caption.
// A caption wider than the button is drawn in a narrower face, and when even that does not fit
// it ends in "…" with the whole caption as the button's tooltip, as the radio buttons do.
// Its own `Enabled` flag (not QWidget's enabled state) keeps the normal look but ignores the
// mouse and the keys, so a busy batch run can lock buttons without greying them out.
class FlatButton : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(QColor Color READ color WRITE setColor)
    Q_PROPERTY(QColor ColorBorder READ colorBorder WRITE setColorBorder)
    Q_PROPERTY(bool Enabled READ isButtonEnabled WRITE setButtonEnabled)
    Q_PROPERTY(QImage Glyph READ glyph WRITE setGlyph)
    Q_PROPERTY(QColor ColorOverCaption READ colorOverCaption WRITE setColorOverCaption)
    Q_PROPERTY(QColor ColorOver READ colorOver WRITE setColorOver)
    Q_PROPERTY(QColor ColorDown READ colorDown WRITE setColorDown)
    Q_PROPERTY(bool ShowCaption READ showCaption WRITE setShowCaption)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)
    Q_PROPERTY(bool ParentShowHint READ parentShowHint WRITE setParentShowHint)
    Q_PROPERTY(QFont Font READ font WRITE setCaptionFont)
    // The colour part of `Font`: the caption colour in the normal look.
    Q_PROPERTY(QColor FontColor READ fontColor WRITE setFontColor)

public:
    enum class Look { Normal, Hover, Pressed };
    Q_ENUM(Look)

    explicit FlatButton(QWidget *parent = nullptr);

    // Until a caption is set, the caption is the button's objectName().
    QString caption() const;
    void setCaption(const QString &caption);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    QColor colorBorder() const { return m_colorBorder; }
    void setColorBorder(const QColor &color);
    bool isButtonEnabled() const { return m_buttonEnabled; }
    void setButtonEnabled(bool on);
    QImage glyph() const { return m_glyph; }
    void setGlyph(const QImage &glyph);
    QColor colorOverCaption() const { return m_colorOverCaption; }
    void setColorOverCaption(const QColor &color);
    QColor colorOver() const { return m_colorOver; }
    void setColorOver(const QColor &color);
    QColor colorDown() const { return m_colorDown; }
    void setColorDown(const QColor &color);
    bool showCaption() const { return m_showCaption; }
    void setShowCaption(bool on);
    bool showHint() const { return m_hints.showHint(); }
    void setShowHint(bool on) { m_hints.setShowHint(on); }
    bool parentShowHint() const { return m_hints.parentShowHint(); }
    void setParentShowHint(bool on) { m_hints.setParentShowHint(on); }
    void setCaptionFont(const QFont &font);
    QColor fontColor() const { return m_fontColor; }
    void setFontColor(const QColor &color);

    Look look() const { return m_look; }
    QSize sizeHint() const override;
    // Activates the button as a completed click does (clicked(), no mouse signals); nothing
    // while its Enabled flag is off.
    void click();

signals:
    void clicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseEnter();
    void mouseLeave();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool event(QEvent *event) override;

private:
    struct ShownCaption {
        QFont font;
        QString text;
    };
    // Width left for the caption inside the border (and beside a glyph).
    int captionRoom() const;
    // The caption as it is painted: fitted into captionRoom(), empty when not shown.
    ShownCaption shownCaption() const;
    void updateCaptionTip();
    void showLook(Look look);
    void paintCaption(QPainter &painter, const QColor &fill, const QColor &ink) const;
    void paintBevel(QPainter &painter, bool raised) const;

    QString m_caption;
    bool m_captionSet = false;
    QColor m_color;
    QColor m_colorBorder;
    QColor m_colorOverCaption;
    QColor m_colorOver;
    QColor m_colorDown;
    QColor m_fontColor;
    QImage m_glyph;
    bool m_buttonEnabled = true;
    bool m_showCaption = true;
    HintFlags m_hints;
    bool m_pressed = false;
    bool m_spacePressed = false;
    bool m_leftDuringClick = false;
    Look m_look = Look::Normal;
};
