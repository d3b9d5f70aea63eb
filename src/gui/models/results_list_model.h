// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "checking/result_list.h"

#include <QAbstractTableModel>

namespace zafrano::gui {

// A results list (simple or multiple) for a view with uniform rows: texts and
// colours come from the list when a row is painted.
class ResultsListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    ResultsListModel(ResultListKind kind, QObject *parent = nullptr);

    void setList(const ResultList &list);
    const ResultList &list() const { return m_list; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    ResultList m_list;
};

} // namespace zafrano::gui
