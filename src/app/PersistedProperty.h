#pragma once

#include <QString>

class QObject;

// One remembered property of one component, under its remembered name ("Checked",
// "Position", "InitialDir", "FileName"). Qt spells "Checked" differently: a checkable
// button's or any menu action's "checked". A property that carries the remembered name itself
// always wins (a RememberedSlider's "Position").

// The value as the state file holds it: "TRUE"/"FALSE" for a Boolean, decimal for an
// integer, the text itself for a string, the character for a character. Empty when the
// component lacks the property or its type is not remembered (floating point, enumerations).
QString persistedValueText(const QObject *object, const QString &name);

// Sets the property from its text: exactly "TRUE" or "FALSE" for a Boolean (anything else is
// ignored), a decimal integer, a string unchanged, a character's first letter. Setting a
// radio button to FALSE unchecks it even inside an exclusive group. Returns false when
// nothing was set. An empty text is never applied.
bool applyPersistedValue(QObject *object, const QString &name, const QString &text);
