#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// Engine-wide switches deciding what an empty TAlField prints; both are cleared whenever a
// TAlReport is constructed.
bool alShowNames();
void setAlShowNames(bool show);
bool alShowCaptions();
void setAlShowCaptions(bool show);

// The engine's component classes by name: TAlReport, tAlBand, TAlField, TAlLabel,
// TAlSysField, TAlShape, tAlImage, TAlDetailLink.
QStringList alRegisteredClasses();
// Creates a registered component owned by owner; a tAlBand needs a form as owner (it
// becomes its parent). Returns nullptr for a class name that is not registered.
QObject *alCreateComponent(const QString &className, QObject *owner);
