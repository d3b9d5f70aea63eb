// SPDX-License-Identifier: GPL-3.0-or-later
#include "models/syndicates_list_model.h"

#include "store/day_serial.h"
#include "store/windows1252.h"

using namespace Qt::StringLiterals;

namespace zafrano::gui {

void SyndicatesListModel::setSyndicates(const QList<SyndicateRecord> &syndicates)
{
    beginResetModel();
    m_syndicates = syndicates;
    endResetModel();
}

int SyndicatesListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_syndicates.isEmpty() ? 1 : static_cast<int>(m_syndicates.size());
}

int SyndicatesListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 4;
}

QVariant SyndicatesListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    if (m_syndicates.isEmpty())
        return index.column() == 0 ? QVariant(u"VACÍO"_s) : QVariant();
    const SyndicateRecord &syndicate = m_syndicates[index.row()];
    switch (index.column()) {
    case 0:
        return syndicate.nameText();
    case 1:
        return syndicate.sixNumberBets();
    case 2:
        return shortDate(fromDaySerial(syndicate.createdOn));
    default:
        return syndicate.daysText();
    }
}

QVariant SyndicatesListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headers = {u"Nombre"_s, u"Apuestas"_s, u"Fecha creación"_s,
                                        u"Días a jugar"_s};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    return headers.value(section);
}

} // namespace zafrano::gui
