// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/restore_copy_dialog.h"

#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

RestoreCopyDialog::RestoreCopyDialog(const QList<copies::ListedCopy> &copies, QWidget *parent)
    : QDialog(parent), m_copies(copies)
{
    setObjectName(u"RestaurarCopia"_s);
    setWindowTitle(u"Restaurar copia"_s);

    auto *caption = new QLabel(
        m_copies.isEmpty()
            ? u"No hay copias automáticas. Elija un archivo de copia con «Otro archivo...»."_s
            : u"Copias automáticas de los datos, la más reciente primero:"_s,
        this);
    caption->setWordWrap(true);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(u"lstCopias"_s);
    m_list->setHeaderLabels({u"Fecha"_s, u"Motivo"_s, u"Contiene"_s});
    m_list->setRootIsDecorated(false);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setAllColumnsShowFocus(true);
    for (const copies::ListedCopy &copy : std::as_const(m_copies)) {
        auto *item = new QTreeWidgetItem(
            m_list,
            {copy.entry.made.toLocalTime().toString(u"dd/MM/yyyy HH:mm:ss"_s), copy.entry.reason,
             copy.contents ? contentsText(*copy.contents) : u"No vale"_s});
        item->setToolTip(0, QDir::toNativeSeparators(copy.entry.path));
        if (!copy.contents)
            item->setToolTip(2, copy.problem);
    }
    for (int column = 0; column < 3; ++column)
        m_list->resizeColumnToContents(column);
    m_list->setMinimumWidth(m_list->header()->length() + 40);

    m_restore = new QPushButton(u"Restaurar"_s, this);
    m_restore->setObjectName(u"cmdRestaurar"_s);
    m_restore->setDefault(true);
    auto *other = new QPushButton(u"Otro archivo..."_s, this);
    other->setObjectName(u"cmdOtroArchivo"_s);
    auto *cancel = new QPushButton(u"Cancelar"_s, this);
    cancel->setObjectName(u"cmdCancelar"_s);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(other);
    buttons->addStretch();
    buttons->addWidget(m_restore);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(caption);
    layout->addWidget(m_list);
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &RestoreCopyDialog::selectionChanged);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &RestoreCopyDialog::restoreChosen);
    connect(m_restore, &QPushButton::clicked, this, &RestoreCopyDialog::restoreChosen);
    connect(other, &QPushButton::clicked, this, [this] {
        accept();
        emit otherFileWanted();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    if (m_list->topLevelItemCount() > 0)
        m_list->setCurrentItem(m_list->topLevelItem(0));
    selectionChanged();
}

void RestoreCopyDialog::selectionChanged()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    m_restore->setEnabled(row >= 0 && m_copies.at(row).contents.has_value());
}

void RestoreCopyDialog::restoreChosen()
{
    const int row = m_list->indexOfTopLevelItem(m_list->currentItem());
    if (row < 0 || !m_copies.at(row).contents)
        return;
    const QString path = m_copies.at(row).entry.path;
    accept();
    emit copyChosen(path);
}

} // namespace zafrano::gui
