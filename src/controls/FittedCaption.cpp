#include "FittedCaption.h"

#include "Fonts.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace {

// Paints a radio button or check box with its caption narrowed to the room its style gives it.
void paintFitted(QAbstractButton *button, QStyleOptionButton &option, QStyle::SubElement contents,
                 QStyle::ControlElement element)
{
    QStylePainter painter(button);
    const QRect room = button->style()->subElementRect(contents, &option, button);
    const int width = button->width() - room.left() - kCaptionGap;
    const QFont font = fittedCaptionFont(button->font(), option.text, width);
    const QString shown = fittedCaptionText(font, option.text, width);
    showWholeCaptionAsTip(button, option.text, shown != option.text);
    option.text = shown;
    painter.setFont(font);
    option.fontMetrics = QFontMetrics(font);
    painter.drawControl(element, option);
}

} // namespace

QFont fittedCaptionFont(const QFont &font, const QString &text, int width)
{
    return fontNarrowedToFit(font, text, width);
}

QString fittedCaptionText(const QFont &font, const QString &text, int width)
{
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    return metrics.elidedText(text, Qt::ElideRight, std::max(width, 0));
}

void showWholeCaptionAsTip(QWidget *control, const QString &caption, bool cut)
{
    static const char *const kOwnTip = "kartelloCaptionTip";
    const bool tipIsOurs = control->property(kOwnTip).toBool();
    if (cut && (tipIsOurs || control->toolTip().isEmpty())) {
        if (control->toolTip() != caption)
            control->setToolTip(caption);
        control->setProperty(kOwnTip, true);
    } else if (!cut && tipIsOurs) {
        control->setToolTip(QString());
        control->setProperty(kOwnTip, false);
    }
}

void FittedRadioButton::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintFitted(this, option, QStyle::SE_RadioButtonContents, QStyle::CE_RadioButton);
}

void FittedCheckBox::paintEvent(QPaintEvent *)
{
    QStyleOptionButton option;
    initStyleOption(&option);
    paintFitted(this, option, QStyle::SE_CheckBoxContents, QStyle::CE_CheckBox);
}

void FittedLabel::paintEvent(QPaintEvent *event)
{
    const QFont fitted = fittedCaptionFont(font(), text(), contentsRect().width());
    const QString shown = textFormat() == Qt::RichText
                              ? text()
                              : fittedCaptionText(fitted, text(), contentsRect().width());
    showWholeCaptionAsTip(this, text(), shown != text());
    if (textFormat() == Qt::RichText || (fitted.stretch() == font().stretch() && shown == text())) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), int(alignment()), shown);
}
