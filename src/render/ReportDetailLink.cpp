#include "ReportDetailLink.h"

#include "CardRecordField.h"
#include "CardBand.h"

ReportDetailLink::ReportDetailLink(QObject *owner)
    : QObject(owner)
{
}

ReportDetailLink::~ReportDetailLink()
{
    if (m_groupBand && m_groupBand->detailLink() == this)
        m_groupBand->setDetailLink(nullptr);
}

CardBand *ReportDetailLink::groupHeader() const { return m_groupHeader; }
void ReportDetailLink::setGroupHeader(CardBand *band) { m_groupHeader = band; }
CardBand *ReportDetailLink::groupFooter() const { return m_groupFooter; }
void ReportDetailLink::setGroupFooter(CardBand *band) { m_groupFooter = band; }
CardBand *ReportDetailLink::groupBand() const { return m_groupBand; }
CardRecordField *ReportDetailLink::dataSource() const { return m_dataSource; }
void ReportDetailLink::setDataSource(CardRecordField *field) { m_dataSource = field; }

void ReportDetailLink::setGroupBand(CardBand *band)
{
    // A band left behind must not keep pointing at a link that no longer names it.
    if (m_groupBand && m_groupBand->detailLink() == this)
        m_groupBand->setDetailLink(nullptr);
    m_groupBand = band;
    if (band)
        band->setDetailLink(this);
}
