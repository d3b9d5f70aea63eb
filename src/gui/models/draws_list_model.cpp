// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/draws_list_model.h"

#include <QFont>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

void DrawsListModel::setDraws(const QList<DrawRecord> &draws, const DrawListing &listing)
{
    beginResetModel();
    m_draws = draws;
    m_records = listing.records;
    endResetModel();
}

int DrawsListModel::recordAt(int row) const
{
    return row >= 0 && row < m_records.size() ? m_records[row] : 0;
}

int DrawsListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_records.size());
}

int DrawsListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 2;
}

const QFont &DrawsListModel::entryFont()
{
    // Courier keeps the spaced-out numbers in columns; listed draws are bold.
    static const QFont font = [] {
        QFont courier(u"Courier New"_s);
        courier.setStyleHint(QFont::Monospace);
        courier.setBold(true);
        return courier;
    }();
    return font;
}

QVariant DrawsListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_records.size())
        return {};
    const int record = m_records[index.row()];
    const DrawRecord &draw = m_draws[record - 1];
    switch (role) {
    case Qt::DisplayRole:
        return index.column() == 0 ? drawEntryText(draw) : drawDateText(draw);
    case Qt::FontRole:
        return entryFont();
    default:
        return {};
    }
}

QVariant DrawsListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return section == 0 ? u"Números ganadores"_s : u"Fecha"_s;
}

} // namespace zafrano::gui
