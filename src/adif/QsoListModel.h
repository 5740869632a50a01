#pragma once

#include "QslQueue.h"

#include <QAbstractListModel>
#include <QStringList>

#include <functional>
#include <vector>

// The QSO list: one text row per logged contact, as listRow() writes it, and beside each row
// its QSL status. Rows are only appended (a load adds a slice at a time) or all removed.
// The row text is the display text as it stands, since the batch runs read it back; the
// status shows as the row's tool tip and, once setStateMarks() is given, its decoration.
class QsoListModel : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    const QStringList &rows() const { return m_rows; }
    // Appends rows with their statuses, one for each row.
    void appendRows(const QStringList &rows, const std::vector<QslStatus> &statuses);
    void clear();

    QslState state(int row) const { return m_statuses.at(size_t(row)).state(); }
    // The journal's part of a row's status, after cards went out.
    void setJournalEntry(int row, JournalEntry entry);
    // The rows whose QSO needs a card, in order.
    QList<int> rowsNeedingCard() const;

    // The decoration of a row in each state (a small painted mark); the list itself needs no
    // display to be a model.
    void setStateMarks(std::function<QVariant(QslState)> marks) { m_marks = std::move(marks); }

private:
    QStringList m_rows;
    std::vector<QslStatus> m_statuses;
    std::function<QVariant(QslState)> m_marks;
};
