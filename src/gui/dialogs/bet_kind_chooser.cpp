// SPDX-License-Identifier: GPL-3.0-or-later
#include "dialogs/bet_kind_chooser.h"

#include "systems/table_list.h"
#include "systems/tables_file.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

// The multiples in the order the list offers them; entry i is kind i + 1.
const QStringList MultipleEntries = {
    u"7 números (7 apuestas)"_s,  u"8 números (28 apuestas)"_s,   u"5 números (44 apuestas)"_s,
    u"9 números (84 apuestas)"_s, u"10 números (210 apuestas)"_s, u"11 números (462 apuestas)"_s,
};

constexpr int MarkerTickMs = 40;

} // namespace

BetKindChooser::BetKindChooser(const QString &tablesPath, QWidget *parent)
    : QDialog(parent), m_tablesPath(tablesPath)
{
    setObjectName(u"Creamenu"_s);
    setWindowTitle(u"Crear peña nueva"_s);

    auto *title = new QLabel(u"SELECCIONE UN MODO DE APUESTA:"_s, this);
    title->setStyleSheet(u"font-weight: bold;"_s);
    auto *close = new QPushButton(u"X"_s, this);
    close->setObjectName(u"Label3"_s);
    close->setFlat(true);
    close->setFixedWidth(28);
    close->setToolTip(u"Cerrar"_s);
    auto *top = new QHBoxLayout;
    top->addWidget(title, 1);
    top->addWidget(close);

    // A row of little balls that roll in while the window opens.
    auto *markers = new QHBoxLayout;
    markers->setSpacing(3);
    for (int i = 0; i < MarkerCount; ++i) {
        auto *marker = new QLabel(u"●"_s, this);
        marker->setObjectName(u"Label1_"_s + QString::number(i));
        marker->setStyleSheet(i % 2 ? u"color: #c8102e;"_s : u"color: #1f4e9a;"_s);
        marker->setVisible(false);
        markers->addWidget(marker);
        m_markers.append(marker);
    }
    markers->addStretch(1);

    m_reduced = new QRadioButton(u"Reducida"_s, this);
    m_reduced->setObjectName(u"Option1_2"_s);
    m_simple = new QRadioButton(u"Sencilla"_s, this);
    m_simple->setObjectName(u"Option1_1"_s);
    m_multiple = new QRadioButton(u"Múltiple"_s, this);
    m_multiple->setObjectName(u"Option1_0"_s);
    m_list = new QComboBox(this);
    m_list->setObjectName(u"Combo1"_s);
    m_list->setPlaceholderText(u"Tablas de reducciones"_s);
    m_list->setMinimumWidth(260);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(markers);
    layout->addWidget(m_simple);
    layout->addWidget(m_multiple);
    layout->addWidget(m_reduced);
    layout->addWidget(m_list);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    m_markerTimer = new QTimer(this);
    m_markerTimer->setObjectName(u"Timer1"_s);
    m_markerTimer->setInterval(MarkerTickMs);
    m_markerTimer->start();

    connect(m_markerTimer, &QTimer::timeout, this, &BetKindChooser::showNextMarker);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_simple, &QRadioButton::clicked, this, &BetKindChooser::chooseSimple);
    connect(m_reduced, &QRadioButton::clicked, this, &BetKindChooser::listReduced);
    connect(m_multiple, &QRadioButton::clicked, this, &BetKindChooser::listMultiples);
    connect(m_list, &QComboBox::activated, this, &BetKindChooser::pickEntry);
}

void BetKindChooser::showNextMarker()
{
    for (QLabel *marker : std::as_const(m_markers)) {
        if (!marker->isVisible()) {
            marker->setVisible(true);
            if (marker == m_markers.last())
                m_markerTimer->stop();
            return;
        }
    }
    m_markerTimer->stop();
}

void BetKindChooser::chooseSimple()
{
    emit editorRequested(EditorRequest{});
}

void BetKindChooser::listReduced()
{
    // Read from the start on every use; lines that are not numbers read as 0.
    Result<ReductionTables> file = readReductionTables(m_tablesPath);
    m_list->clear();
    m_list->addItems(chooserEntries(file ? file.value() : ReductionTables{}));
    m_list->setPlaceholderText(u"Seleccione Reducción"_s);
    m_list->setCurrentIndex(-1);
}

void BetKindChooser::listMultiples()
{
    m_list->clear();
    m_list->addItems(MultipleEntries);
    m_list->setPlaceholderText(u"Seleccione Múltiple"_s);
    m_list->setCurrentIndex(-1);
}

void BetKindChooser::pickEntry(int index)
{
    if (index < 0)
        return;
    EditorRequest request;
    if (m_multiple->isChecked()) {
        request.editorKind = index + 1;
    } else {
        request.editorKind = EditorKind::Reduced;
        request.reductionTableIndex = index;
    }
    emit editorRequested(request);
}

void BetKindChooser::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        m_hasBeenActive = true;
}

} // namespace zafrano::gui
