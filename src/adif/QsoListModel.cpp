#include "QsoListModel.h"

#include <stdexcept>

int QsoListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

QVariant QsoListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    switch (role) {
    case Qt::DisplayRole: return m_rows[index.row()];
    case Qt::ToolTipRole: return qslStateText(state(index.row()));
    case Qt::DecorationRole: return m_marks ? m_marks(state(index.row())) : QVariant();
    default: return {};
    }
}

void QsoListModel::appendRows(const QStringList &rows, const std::vector<QslStatus> &statuses)
{
    if (size_t(rows.size()) != statuses.size())
        throw std::invalid_argument("QsoListModel::appendRows: one status per row");
    if (rows.isEmpty())
        return;
    beginInsertRows(QModelIndex(), int(m_rows.size()), int(m_rows.size() + rows.size() - 1));
    m_rows += rows;
    m_statuses.insert(m_statuses.end(), statuses.begin(), statuses.end());
    endInsertRows();
}

void QsoListModel::clear()
{
    if (m_rows.isEmpty())
        return;
    beginResetModel();
    m_rows.clear();
    m_statuses.clear();
    endResetModel();
}

void QsoListModel::setJournalEntry(int row, JournalEntry entry)
{
    QslStatus &status = m_statuses.at(size_t(row));
    if (status.journal == entry)
        return;
    status.journal = entry;
    const QModelIndex changed = index(row);
    emit dataChanged(changed, changed, {Qt::DecorationRole, Qt::ToolTipRole});
}

QList<int> QsoListModel::rowsNeedingCard() const
{
    QList<int> rows;
    for (size_t row = 0; row < m_statuses.size(); ++row)
        if (needsCard(m_statuses[row].state()))
            rows << int(row);
    return rows;
}
