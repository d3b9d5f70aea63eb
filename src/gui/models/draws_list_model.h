// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stats/draw_listing.h"

#include <QAbstractTableModel>
#include <QFont>

namespace zafrano::gui {

// The draws list ("Números ganadores", "Fecha"), newest first. It keeps the
// draws and the listed record numbers only; texts are made when shown.
class DrawsListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    using QAbstractTableModel::QAbstractTableModel;

    void setDraws(const QList<DrawRecord> &draws, const DrawListing &listing);
    // The draws-file record shown in a row.
    int recordAt(int row) const;
    // The font of every entry.
    static const QFont &entryFont();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<DrawRecord> m_draws;
    QList<int> m_records;
};

} // namespace zafrano::gui
