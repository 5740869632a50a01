#pragma once

#include <QGroupBox>

// A group box as the classic desktop draws it: an etched frame whose top line runs through the
// middle of the caption, and the caption on the box's own background near the left end. The
// frame thus clears controls placed just below the caption, where the window's layout puts
// them.
class GroupFrame : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupFrame(const QString &caption, QWidget *parent = nullptr);

    // The etched frame of a box of size whose caption is captionHeight pixels high: its top
    // line lies at the middle of the caption.
    static QRect frameRect(const QSize &size, int captionHeight);
    // Where the caption stands, captionWidth by captionHeight pixels.
    static QRect captionRect(int captionWidth, int captionHeight);

protected:
    void paintEvent(QPaintEvent *event) override;
};
