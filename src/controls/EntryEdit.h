#pragma once

#include <QLineEdit>

// A one-line edit that shows its text centred or right-aligned while it does not have the
// focus, and edits it as a standard left-aligned edit while it has. The QSO fields on the card
// are entry edits without a border and with centred text. An entry edit holds one line: line
// breaks and control characters never enter it (OneLineText.h). A selection made when the
// field gains the focus (an enter handler's select-all) survives the click that entered it.
class EntryEdit : public QLineEdit
{
    Q_OBJECT
    // Left, right or centre; only the horizontal part counts. QLineEdit's own `alignment` stays
    // the editing look (left, top).
    Q_PROPERTY(Qt::Alignment Alignment READ displayAlignment WRITE setDisplayAlignment)

public:
    explicit EntryEdit(QWidget *parent = nullptr);

    Qt::Alignment displayAlignment() const { return m_alignment; }
    void setDisplayAlignment(Qt::Alignment alignment);
    bool isFocused() const { return m_focused; }

    // The x at which the unfocused look starts text `textWidth` wide in an area `areaWidth`
    // wide with horizontal margin `margin`.
    static int textStart(Qt::Alignment alignment, int areaWidth, int textWidth, int margin);

protected:
    void paintEvent(QPaintEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    QString shownText() const;
    void paintAligned();

    Qt::Alignment m_alignment = Qt::AlignLeft;
    bool m_focused = false;
    bool m_enteredByClick = false;   // the focus came with a mouse press not yet handled
    bool m_holdSelection = false;    // that press kept the selection; until its release
};
