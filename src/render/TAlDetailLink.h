#pragma once

#include "TAlField.h"
#include "tAlBand.h"

#include <QObject>
#include <QPointer>

// Links a detail band to its group band and the field whose values drive the group.
class TAlDetailLink : public QObject
{
    Q_OBJECT
    Q_PROPERTY(tAlBand *GroupHeader READ groupHeader WRITE setGroupHeader)
    Q_PROPERTY(tAlBand *GroupFooter READ groupFooter WRITE setGroupFooter)
    Q_PROPERTY(tAlBand *GroupBand READ groupBand WRITE setGroupBand)
    Q_PROPERTY(TAlField *DataSource READ dataSource WRITE setDataSource)

public:
    explicit TAlDetailLink(QObject *owner = nullptr);
    ~TAlDetailLink() override;

    tAlBand *groupHeader() const;
    void setGroupHeader(tAlBand *band);
    tAlBand *groupFooter() const;
    void setGroupFooter(tAlBand *band);
    tAlBand *groupBand() const;
    // The previous group band forgets this link; the new one points back to it.
    void setGroupBand(tAlBand *band);
    TAlField *dataSource() const;
    void setDataSource(TAlField *field);

private:
    QPointer<tAlBand> m_groupHeader;
    QPointer<tAlBand> m_groupFooter;
    QPointer<tAlBand> m_groupBand;
    QPointer<TAlField> m_dataSource;
};
