#pragma once

#include <QWidget>

#include "HintFlags.h"

class LedStrip;

// A 12 x 13 indicator lamp, lit or unlit, in red, green or yellow; a disabled lamp shows an
// empty ring. The lamp's transparent pixels take its parent's background colour.
class Led : public QWidget
{
    Q_OBJECT
public:
    enum class LedColor { Red = 0, Green = 1, Yellow = 2 };
    Q_ENUM(LedColor)

private:
    Q_PROPERTY(bool Lit READ isLit WRITE setLit)
    Q_PROPERTY(LedColor Color READ color WRITE setColor)
    Q_PROPERTY(int Height READ height WRITE setHeight)
    Q_PROPERTY(int Width READ width WRITE setWidth)
    Q_PROPERTY(bool Enabled READ isEnabled WRITE setEnabled)
    Q_PROPERTY(bool Visible READ isShown WRITE setVisible)
    Q_PROPERTY(QString Hint READ toolTip WRITE setToolTip)
    Q_PROPERTY(bool ShowHint READ showHint WRITE setShowHint)
    Q_PROPERTY(bool ParentShowHint READ parentShowHint WRITE setParentShowHint)
    Q_PROPERTY(int Tag READ tag WRITE setTag)

public:
    static constexpr int FixedWidth = 12;
    static constexpr int FixedHeight = 13;

    explicit Led(QWidget *parent = nullptr);
    ~Led() override;

    bool isLit() const { return m_lit; }
    void setLit(bool lit);
    LedColor color() const { return m_color; }
    void setColor(LedColor color);
    // The lamp's size is fixed; these exist so that the size reads and "writes" like any control.
    void setHeight(int) { resize(FixedWidth, FixedHeight); }
    void setWidth(int) { resize(FixedWidth, FixedHeight); }
    // The lamp's own visibility, whether or not its window is on screen.
    bool isShown() const { return !isHidden(); }
    bool showHint() const { return m_hints.showHint(); }
    void setShowHint(bool on) { m_hints.setShowHint(on); }
    bool parentShowHint() const { return m_hints.parentShowHint(); }
    void setParentShowHint(bool on) { m_hints.setParentShowHint(on); }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    QSize sizeHint() const override { return {FixedWidth, FixedHeight}; }
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // After Lit or Color changed, and when Enabled changes.
    void changeState();
    void clicked();
    void doubleClicked();
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void mouseMove(Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QColor backgroundColor() const;
    void stateChanged();

    LedStrip *m_strip;
    bool m_lit = false;
    LedColor m_color = LedColor::Red;
    int m_tag = 0;
    HintFlags m_hints;
    bool m_pressed = false;
};
