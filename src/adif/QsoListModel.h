#pragma once

#include <QAbstractListModel>
#include <QStringList>

// The QSO list: one text row per logged contact, as listRow() writes it. Rows are only
// appended (a load adds a slice at a time) or all removed.
class QsoListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &rows() const { return m_rows; }
    void appendRows(const QStringList &rows);
    void clear();

private:
    QStringList m_rows;
};
