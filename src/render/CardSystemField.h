#pragma once

#include "CardLabel.h"

enum class SystemDataType { Time, Date, DateTime, PageNumber, Counter, Count, FormName };

// A text element showing a system value (time, date, page number, counter, owner's name).
// Its caption is the placeholder of its data type ("#hh:mm:ss#", "#Page#", ...).
class CardSystemField : public CardLabel
{
    Q_OBJECT
    Q_PROPERTY(SystemDataType DataType READ dataType WRITE setDataType)

public:
    explicit CardSystemField(QObject *owner = nullptr);

    SystemDataType dataType() const { return m_dataType; }
    void setDataType(SystemDataType type);
    int counter() const { return m_counter; }

    // Counts one more record; never another value.
    bool nextValue() override;
    QString printedText() override;
    // After loading: shows the placeholder of the data type.
    void loaded() override;

private:
    void showPlaceholder();
    QString ownerName() const;

    SystemDataType m_dataType = SystemDataType::Time;
    int m_counter = 0;
};
