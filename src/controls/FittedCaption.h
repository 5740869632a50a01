#pragma once

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QRadioButton>

// Radio buttons and check boxes keep the places the window's layout gives them; in a
// substitute face that runs wider than the Windows face a caption could reach under the next
// control. These buttons narrow such a caption until it fits their own width.

// font, or font narrowed (stretched down in steps, to 70 % at most) so that text is at most
// width pixels wide; unchanged when it fits already or is empty.
QFont fittedCaptionFont(const QFont &font, const QString &text, int width);

// The caption as it is painted in font (already fitted): the whole text, or, when even that
// font runs wider than width, its beginning ending in "…".
QString fittedCaptionText(const QFont &font, const QString &text, int width);

// Makes the whole caption the control's tooltip while it is cut short, and takes that tooltip
// away again once it fits; a tooltip of the control's own is left alone.
void showWholeCaptionAsTip(QWidget *control, const QString &caption, bool cut);

// Pixels kept free between the end of a caption and the next control.
constexpr int kCaptionGap = 4;

// A radio button whose caption is narrowed to fit its width, and cut with "…" (the whole
// caption its tooltip) when even the narrowest face does not fit.
class FittedRadioButton : public QRadioButton
{
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A check box whose caption is narrowed or cut as a radio button's is.
class FittedCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent *event) override;
};

// A label whose caption is narrowed to fit its width instead of being cut off at its edge.
class FittedLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *event) override;
};
