#pragma once

#include <QAccessibleWidget>

class FlatButton;

// The flat button as assistive tools see it: a push button named by its caption, pressed by
// their press action, unavailable while its Enabled flag is off.
class FlatButtonAccessible : public QAccessibleWidget
{
public:
    explicit FlatButtonAccessible(FlatButton *button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString &actionName) override;

private:
    FlatButton *button() const;
};

// Makes Qt describe every flat button through FlatButtonAccessible; later calls do nothing.
void installFlatButtonAccessibility();
