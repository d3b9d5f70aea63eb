// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/results_list_model.h"

#include <QColor>

namespace zafrano::gui {

ResultsListModel::ResultsListModel(ResultListKind kind, QObject *parent)
    : QAbstractTableModel(parent), m_list(kind, {}, {}, false)
{}

void ResultsListModel::setList(const ResultList &list)
{
    beginResetModel();
    m_list = list;
    endResetModel();
}

int ResultsListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list.rowCount();
}

int ResultsListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_list.columnCount();
}

QVariant ResultsListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_list.cell(index.row(), index.column()).text;
    case Qt::ForegroundRole: {
        const ResultCell cell = m_list.cell(index.row(), index.column());
        return cell.color ? QVariant(QColor::fromRgb(*cell.color)) : QVariant();
    }
    case Qt::TextAlignmentRole:
        if (index.column() > 0 && index.column() < m_list.columnCount() - 1)
            return QVariant(Qt::AlignCenter);
        return {};
    default:
        return {};
    }
}

QVariant ResultsListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return m_list.columnTitle(section);
}

} // namespace zafrano::gui
