// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "store/syndicate_record.h"

#include <QAbstractTableModel>

namespace zafrano::gui {

// The syndicate list of "Gestor de peñas": "Nombre", "Apuestas",
// "Fecha creación", "Días a jugar", one row per syndicate in record order, or
// the single row "VACÍO" when there is none.
class SyndicatesListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSyndicates(const QList<SyndicateRecord> &syndicates);
    bool isEmpty() const { return m_syndicates.isEmpty(); }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<SyndicateRecord> m_syndicates;
};

} // namespace zafrano::gui
