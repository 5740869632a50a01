#pragma once

#include "CardRecordField.h"
#include "CardBand.h"

#include <QObject>
#include <QPointer>

// Links a detail band to its group band and the field whose values drive the group.
class ReportDetailLink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(CardBand *GroupHeader READ groupHeader WRITE setGroupHeader)
    Q_PROPERTY(CardBand *GroupFooter READ groupFooter WRITE setGroupFooter)
    Q_PROPERTY(CardBand *GroupBand READ groupBand WRITE setGroupBand)
    Q_PROPERTY(CardRecordField *DataSource READ dataSource WRITE setDataSource)

public:
    explicit ReportDetailLink(QObject *owner = nullptr);
    ~ReportDetailLink() override;

    CardBand *groupHeader() const;
    void setGroupHeader(CardBand *band);
    CardBand *groupFooter() const;
    void setGroupFooter(CardBand *band);
    CardBand *groupBand() const;
    // The previous group band forgets this link; the new one points back to it.
    void setGroupBand(CardBand *band);
    CardRecordField *dataSource() const;
    void setDataSource(CardRecordField *field);

private:
    QPointer<CardBand> m_groupHeader;
    QPointer<CardBand> m_groupFooter;
    QPointer<CardBand> m_groupBand;
    QPointer<CardRecordField> m_dataSource;
};
