// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/bet_kind_panel.h"

#include "app/program_data.h"
#include "systems/coverage_panel.h"
#include "ui/named_widgets.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

enum CreateButton
{
    Reduced,
    Simple,
    Multiple
};

QLabel *boldLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(u"<b>"_s + text + u"</b>"_s, parent);
    label->setTextFormat(Qt::RichText);
    return label;
}

} // namespace

BetKindPanel::BetKindPanel(ProgramData &data, QWidget *parent) : QWidget(parent), m_data(data)
{
    m_tables = new QComboBox(this);
    m_tables->setObjectName(u"Combo1"_s);
    m_tables->setPlaceholderText(u"Tablas disponibles"_s);
    m_tables->setEnabled(false);
    m_hint = wrappedLabel(invalidTablesHint(), u"Label51"_s, this);

    const std::array<const char16_t *, 3> kinds = {u"Crear Reducida", u"Crear Sencilla",
                                                   u"Crear Múltiple"};
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_tables);
    layout->addWidget(m_hint);
    auto *buttons = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        m_createButtons[i] = new QPushButton(QString::fromUtf16(kinds[i]), this);
        m_createButtons[i]->setObjectName(u"Image3_"_s + QString::number(i));
        m_createButtons[i]->setEnabled(false);
        buttons->addWidget(m_createButtons[i]);
    }
    layout->addLayout(buttons);
    m_backtest = new QPushButton(u"¿Cuánto habría ganado?"_s, this);
    m_backtest->setObjectName(u"BetKindBacktest"_s);
    m_backtest->setEnabled(false);
    layout->addWidget(m_backtest, 0, Qt::AlignLeft);
    connect(m_backtest, &QPushButton::clicked, this, &BetKindPanel::backtestAsked);
    m_help = buildHelpPanel();
    m_coverage = buildCoveragePanel();
    m_coverage->setVisible(false);
    layout->addWidget(m_help);
    layout->addWidget(m_coverage);
    auto *back = new QPushButton(u"-Volver al Paso 1:"_s, this);
    back->setObjectName(u"Image4"_s);
    layout->addWidget(back, 0, Qt::AlignLeft);
    layout->addStretch(1);

    connect(m_tables, &QComboBox::activated, this, &BetKindPanel::pickTable);
    connect(m_createButtons[Reduced], &QPushButton::clicked, this, &BetKindPanel::createReduced);
    connect(m_createButtons[Simple], &QPushButton::clicked, this, &BetKindPanel::createSimple);
    connect(m_createButtons[Multiple], &QPushButton::clicked, this, &BetKindPanel::createMultiple);
    connect(back, &QPushButton::clicked, this, &BetKindPanel::stepOneRequested);
}

QGroupBox *BetKindPanel::buildHelpPanel()
{
    auto *panel = new QGroupBox(this);
    panel->setObjectName(u"Frame9"_s);
    auto *layout = new QVBoxLayout(panel);
    layout->addWidget(
        wrappedLabel(u"Seleccione una de las tablas disponibles de reducción."_s, {}, panel));
    layout->addWidget(boldLabel(u"Reducida:"_s, panel));
    layout->addWidget(boldLabel(u"Múltiple:"_s, panel));
    layout->addWidget(wrappedLabel(u"(Sólo con 5,7,8 ... hasta 11 números)"_s, {}, panel));
    layout->addWidget(boldLabel(u"Sencilla:"_s, panel));
    layout->addWidget(wrappedLabel(u"Sólo cuando se seleccionan 6 números."_s, {}, panel));
    return panel;
}

QGroupBox *BetKindPanel::buildCoveragePanel()
{
    auto *panel = new QGroupBox(this);
    panel->setObjectName(u"Frame10"_s);
    auto *layout = new QVBoxLayout(panel);
    auto *title = wrappedLabel(u"REDUCIDA"_s, u"Label44"_s, panel);
    title->setAlignment(Qt::AlignCenter);
    title->setStyleSheet(u"font-weight: bold; color: #1f4e9a;"_s);
    layout->addWidget(title);
    const std::array<std::pair<const char16_t *, const char16_t *>, 7> labels = {{
        {u"Label43", u"Ha seleccionado..."},
        {u"Label45", u"Asegura al 100% un premio de:"},
        {u"Label48", u"0 apuestas"},
        {u"Label46", u"Posibilidad de premio de 6:"},
        {u"Label47", u"0%"},
        {u"Label49", u"Si quiere asegurar el premio de 6, tendría que jugar a:"},
        {u"Label50", u"0%"},
    }};
    for (const auto &[name, text] : labels) {
        auto *label = wrappedLabel(QString::fromUtf16(text), QString::fromUtf16(name), panel);
        // The three figures stand out, centred under their captions.
        if (label->objectName() == u"Label48" || label->objectName() == u"Label47" ||
            label->objectName() == u"Label50") {
            label->setAlignment(Qt::AlignCenter);
            label->setStyleSheet(u"font-weight: bold; color: #b00000;"_s);
        }
        layout->addWidget(label);
    }
    return panel;
}

void BetKindPanel::showTablesFor(int count)
{
    // Read from the start on every use; a file that cannot be read lists nothing.
    Result<ReductionTables> file = readReductionTables(m_data.folder().tablesPath());
    m_file = file ? file.value() : ReductionTables{};
    m_list = listTablesFor(m_file, count);
    m_pickedTable = -1;
    m_tables->clear();
    m_tables->addItems(m_list.entries);
    m_tables->setPlaceholderText(m_list.listText);
    m_tables->setCurrentIndex(-1);
    // A file without tables keeps the hint's first caption.
    m_hint->setText(m_list.hint);
    m_createButtons[Reduced]->setEnabled(m_list.reducedButtonEnabled);
    m_help->setVisible(true);
    m_coverage->setVisible(false);
}

void BetKindPanel::offerKindsFor(int count)
{
    m_count = count;
    for (QPushButton *button : m_createButtons)
        button->setEnabled(false);
    m_backtest->setEnabled(count > 0);
    if (count == 0)
        return;
    m_tables->setEnabled(true);
    showTablesFor(count);
    m_createButtons[Simple]->setEnabled(count == 6);
    m_createButtons[Multiple]->setEnabled(multipleKindFor(count) >= 0);
}

void BetKindPanel::reset()
{
    m_tables->setEnabled(false);
    m_help->setVisible(true);
    m_coverage->setVisible(false);
}

void BetKindPanel::pickTable(int entry)
{
    if (entry < 0 || entry >= m_list.tableOfListEntry.size())
        return;
    Result<ReductionTable> table = positionAtTable(m_file, m_list.tableOfListEntry[entry]);
    if (!table)
        return;
    m_pickedTable = table.value().index;
    const CoveragePanel panel = coveragePanelFor(table.value());
    const std::array<std::pair<const char16_t *, QString>, 5> texts = {{
        {u"Label43", panel.label43},
        {u"Label48", panel.label48},
        {u"Label47", panel.label47},
        {u"Label49", panel.label49},
        {u"Label50", panel.label50},
    }};
    for (const auto &[name, text] : texts)
        m_coverage->findChild<QLabel *>(QString::fromUtf16(name))->setText(text);
    m_help->setVisible(false);
    m_coverage->setVisible(true);
}

EditorRequest BetKindPanel::rankedRequest(int editorKind) const
{
    EditorRequest request;
    request.editorKind = editorKind;
    request.numbersFromRanking = true;
    request.numbers = m_data.rankedNumbers().mid(0, m_count);
    return request;
}

void BetKindPanel::createReduced()
{
    if (m_pickedTable < 0) {
        m_data.platform().messages.show(
            {u"Elija primero una tabla de reducidas en el menú desplegable."_s,
             u"No tan deprisa!"_s, MessageIcon::Information});
        return;
    }
    EditorRequest request = rankedRequest(EditorKind::Reduced);
    request.reductionTableIndex = m_pickedTable;
    emit stepOneRequested();
    emit editorRequested(request);
}

void BetKindPanel::createSimple()
{
    const EditorRequest request = rankedRequest(EditorKind::Simple);
    emit stepOneRequested();
    emit editorRequested(request);
}

void BetKindPanel::backtestAsked()
{
    EditorRequest request;
    if (m_pickedTable >= 0) {
        request = rankedRequest(EditorKind::Reduced);
        request.reductionTableIndex = m_pickedTable;
    } else if (multipleKindFor(m_count) >= 0) {
        request = rankedRequest(multipleKindFor(m_count));
    } else if (m_count == 6) {
        request = rankedRequest(EditorKind::Simple);
    } else {
        m_data.platform().messages.show(
            {u"Elija primero una tabla de reducidas en el menú desplegable."_s,
             u"No tan deprisa!"_s, MessageIcon::Information});
        return;
    }
    emit backtestRequested(request);
}

void BetKindPanel::createMultiple()
{
    const EditorRequest request = rankedRequest(multipleKindFor(m_count));
    emit stepOneRequested();
    emit editorRequested(request);
}

} // namespace zafrano::gui
