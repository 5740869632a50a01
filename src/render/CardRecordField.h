#pragma once

#include "CardLabel.h"

#include <QStringList>

// A text element that prints one value per report record, stepping through its list.
class CardRecordField : public CardLabel
{
    Q_OBJECT

public:
    explicit CardRecordField(QObject *owner = nullptr);

    QStringList &values() { return m_values; }
    const QStringList &values() const { return m_values; }
    int valueIndex() const { return m_valueIndex; }

    // False with fewer than two values; otherwise steps to the next value while inside the
    // list and tells whether the index is still inside it.
    bool nextValue() override;
    // The value at the index; past the end the only value, or "~". Without values: the
    // caption (show-captions on), "[NAME]" (show-names on), the text of the owner's field
    // named like this one without its trailing underscores, or "~".
    QString printedText() override;
    void resetValues() { m_valueIndex = 0; }
    void clearValues();

private:
    QString emptyText();

    QStringList m_values;
    int m_valueIndex = 0;
};
