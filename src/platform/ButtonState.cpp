#include "ButtonState.h"

#include <QAbstractButton>
#include <QButtonGroup>

void uncheckButton(QAbstractButton *button)
{
    if (!button || !button->isChecked())
        return;
    QButtonGroup *group = button->group();
    const bool groupExclusive = group && group->exclusive();
    const bool autoExclusive = button->autoExclusive();
    if (groupExclusive)
        group->setExclusive(false);
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(autoExclusive);
    if (groupExclusive)
        group->setExclusive(true);
}
