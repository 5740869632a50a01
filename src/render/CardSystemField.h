#pragma once

#include "CardLabel.h"

enum SystemDataType {
    alr_Time, alr_Date, alr_DateTime, alr_PageNum, alr_Counter, alr_Count, alr_FormName
};

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

    SystemDataType m_dataType = alr_Time;
    int m_counter = 0;
};
