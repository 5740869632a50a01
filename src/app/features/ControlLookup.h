#pragma once

#include "MissingControlError.h"

#include <QString>
#include <QWidget>

// The controls of the window that hosts a feature, found by their object names. Every feature
// unit receives one; the other parts of the window it needs come as hosts of their own
// (FeatureHosts.h), so a feature can be tried on a small widget holding only its controls.
class ControlLookup
{
public:
    virtual ~ControlLookup() = default;

    // The widget that owns every control (and every feature unit, as a QObject child).
    virtual QWidget &hostWidget() = 0;
    virtual const QWidget &hostWidget() const = 0;

    // The control, card element or dialog memory named name (ControlNames.h gives the names
    // the code uses). Every name the program uses is looked up while the window starts (each
    // feature connects its controls then), so a name the window does not have stops the start
    // with MissingControlError naming it, instead of leaving a handler silently unconnected.
    template <typename T = QWidget> T *control(const QString &name) const
    {
        if (T *found = hostWidget().findChild<T *>(name))
            return found;
        throw MissingControlError(name, QString::fromLatin1(T::staticMetaObject.className()));
    }
    // The same for a control that only some groups have (nullptr when there is none).
    template <typename T = QWidget> T *findControl(const QString &name) const
    {
        return hostWidget().findChild<T *>(name);
    }
};
