#include "TAlDetailLink.h"

#include "TAlField.h"
#include "tAlBand.h"

TAlDetailLink::TAlDetailLink(QObject *owner)
    : QObject(owner)
{
}

TAlDetailLink::~TAlDetailLink()
{
    if (m_groupBand && m_groupBand->detailLink() == this)
        m_groupBand->setDetailLink(nullptr);
}

tAlBand *TAlDetailLink::groupHeader() const { return m_groupHeader; }
void TAlDetailLink::setGroupHeader(tAlBand *band) { m_groupHeader = band; }
tAlBand *TAlDetailLink::groupFooter() const { return m_groupFooter; }
void TAlDetailLink::setGroupFooter(tAlBand *band) { m_groupFooter = band; }
tAlBand *TAlDetailLink::groupBand() const { return m_groupBand; }
TAlField *TAlDetailLink::dataSource() const { return m_dataSource; }
void TAlDetailLink::setDataSource(TAlField *field) { m_dataSource = field; }

void TAlDetailLink::setGroupBand(tAlBand *band)
{
    // A band left behind must not keep pointing at a link that no longer names it.
    if (m_groupBand && m_groupBand->detailLink() == this)
        m_groupBand->setDetailLink(nullptr);
    m_groupBand = band;
    if (band)
        band->setDetailLink(this);
}
