#include "HintFlags.h"

#include <QEvent>
#include <QVariant>
#include <QWidget>

void HintFlags::setShowHint(bool on)
{
    m_showHint = on;
    m_parentShowHint = false;  // an explicit choice no longer follows the parent
}

bool HintFlags::hintsShown(const QWidget *control) const
{
    if (!m_parentShowHint)
        return m_showHint;
    const QWidget *parent = control->parentWidget();
    const QVariant parentFlag = parent ? parent->property("ShowHint") : QVariant();
    return parentFlag.isValid() ? parentFlag.toBool() : true;
}

bool HintFlags::suppresses(const QWidget *control, const QEvent *event) const
{
    return event->type() == QEvent::ToolTip && !hintsShown(control);
}
