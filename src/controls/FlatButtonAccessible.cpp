#include "FlatButtonAccessible.h"

#include "FlatButton.h"

namespace {

QAccessibleInterface *describeFlatButton(const QString &className, QObject *object)
{
    if (className == QLatin1String("FlatButton"))
        if (auto *button = qobject_cast<FlatButton *>(object))
            return new FlatButtonAccessible(button);
    return nullptr;
}

} // namespace

FlatButtonAccessible::FlatButtonAccessible(FlatButton *button)
    : QAccessibleWidget(button, QAccessible::Button)
{
}

FlatButton *FlatButtonAccessible::button() const
{
    return static_cast<FlatButton *>(widget());
}

QString FlatButtonAccessible::text(QAccessible::Text t) const
{
    // A name set on purpose wins; otherwise the caption the operator reads.
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty())
        return button()->caption();
    return QAccessibleWidget::text(t);
}

QAccessible::State FlatButtonAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.disabled = state.disabled || !button()->isButtonEnabled();
    state.pressed = button()->look() == FlatButton::Look::Pressed;
    return state;
}

QStringList FlatButtonAccessible::actionNames() const
{
    if (!button()->isButtonEnabled())
        return QAccessibleWidget::actionNames();
    return QStringList(pressAction()) + QAccessibleWidget::actionNames();
}

void FlatButtonAccessible::doAction(const QString &actionName)
{
    if (actionName == pressAction())
        button()->click();
    else
        QAccessibleWidget::doAction(actionName);
}

void installFlatButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(describeFlatButton);
        return true;
    }();
    (void)installed;
}
