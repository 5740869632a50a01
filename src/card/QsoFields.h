#pragma once

#include "QsoRecord.h"

#include <array>

// The seven QSO fields of a card. Each one is typed into an entry overlay that lies on the
// card over its value element, in the column under its title element; every place that walks
// the fields walks this one list, in this order (the order of the contact info file).
namespace card {

enum class QsoField { CallSign, UtcDate, UtcTime, Frequency, Mode, Power, Signal };

constexpr int kQsoFieldCount = 7;

struct QsoFieldNames {
    QsoField field;
    const char *overlay;       // the entry overlay the operator types into
    const char *valueElement;  // the card element that shows the value on the card
    const char *titleElement;  // the column title above it (a line of "Info.txt")
    const char *name;          // how messages and logs name the field
    const char *titleFrame;    // the frame around the title
    const char *valueFrame;    // the frame around the value
};

// The seven fields in column order, left to right.
const std::array<QsoFieldNames, kQsoFieldCount> &qsoFields();

// The row of field in qsoFields().
const QsoFieldNames &qsoField(QsoField field);

// The field whose value element is named valueElement (the call sign for any other name).
QsoField qsoFieldOfValue(const QString &valueElement);

// The member of qso that holds field.
QString &qsoFieldText(QsoRecord &qso, QsoField field);
const QString &qsoFieldText(const QsoRecord &qso, QsoField field);

} // namespace card
