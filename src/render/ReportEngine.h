#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QWidget;

// Engine-wide switches deciding what an empty CardRecordField prints; both are cleared
// whenever a Report is constructed.
bool showFieldNames();
void setShowFieldNames(bool show);
bool showFieldCaptions();
void setShowFieldCaptions(bool show);

// The engine's component classes by name: Report, CardBand, CardRecordField, CardLabel,
// CardSystemField, CardShape, CardPictureElement, ReportDetailLink.
QStringList registeredReportClasses();
// Creates a registered component owned by owner; a CardBand needs a form as owner (it
// becomes its parent). Returns nullptr for a class name that is not registered.
QObject *createReportComponent(const QString &className, QObject *owner);
