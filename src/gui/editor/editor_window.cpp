// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/editor_window.h"

#include "app/program_data.h"
#include "editor/number_grid.h"
#include "ui/named_widgets.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

EditorWindow::EditorWindow(ProgramData &data, RandomSeeding seeding, QWidget *parent)
    : QWidget(parent, Qt::Window), m_data(data),
      m_editor(data.folder(), std::move(seeding), [&data] { return data.platform().clock.today(); })
{
    setObjectName(u"Crea"_s);
    setWindowTitle(u"Crear peña nueva..."_s);

    m_heading = new QLabel(this);
    m_heading->setObjectName(u"Label1"_s);
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    m_heading->setFont(headingFont);

    auto *slip = new QGroupBox(this);
    slip->setObjectName(u"Frame1"_s);
    m_grid = new NumberGrid(slip);
    auto *slipLayout = new QVBoxLayout(slip);
    slipLayout->addWidget(m_grid, 0, Qt::AlignCenter);

    m_random = named(new QPushButton(u"Aleatorio"_s, this), u"Aleatorio"_s);
    m_clear = named(new QPushButton(u"Borrar"_s, this), u"Borrar"_s);
    m_save = named(new QPushButton(u"Grabar"_s, this), u"Grabar"_s);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_random);
    buttons->addWidget(m_clear);
    buttons->addWidget(m_save);

    auto *left = new QVBoxLayout;
    left->addWidget(m_heading);
    left->addWidget(slip);
    left->addLayout(buttons);
    left->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addWidget(buildEntryPanel(), 1);

    connect(m_grid, &NumberGrid::numberClicked, this,
            [this](int n) { showReply(m_editor.click(n)); });
    connect(m_random, &QPushButton::clicked, this, [this] { showReply(m_editor.random()); });
    connect(m_clear, &QPushButton::clicked, this, [this] {
        m_editor.removeLastBet();
        showState();
    });
    connect(m_save, &QPushButton::clicked, this, &EditorWindow::save);
}

QWidget *EditorWindow::buildEntryPanel()
{
    auto *panel = new QWidget(this);
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);

    m_name = new QLineEdit(panel);
    m_name->setObjectName(u"Text1"_s);
    layout->addWidget(new QLabel(u"Nombre de la peña:"_s, panel));
    layout->addWidget(m_name);
    connect(m_name, &QLineEdit::textEdited, this, &EditorWindow::nameEdited);

    auto *days = new QGroupBox(u"Día de juego"_s, panel);
    auto *daysLayout = new QGridLayout(days);
    m_days = new QButtonGroup(this);
    const QStringList &options = editorDayOptions();
    for (int i = 0; i < options.size(); ++i) {
        auto *option = new QRadioButton(options[i], days);
        option->setObjectName(u"Option1_"_s + QString::number(i));
        m_days->addButton(option, i);
        daysLayout->addWidget(option, i / 4, i % 4);
    }
    layout->addWidget(days);
    connect(m_days, &QButtonGroup::idClicked, this,
            [this](int option) { showReply(m_editor.chooseDay(option)); });

    m_bets = new QTreeWidget(panel);
    m_bets->setObjectName(u"ListView5"_s);
    m_bets->setHeaderLabels({u"Apuestas"_s});
    m_bets->setRootIsDecorated(false);
    m_bets->setUniformRowHeights(true);
    m_bets->setSelectionMode(QAbstractItemView::SingleSelection);
    m_bets->setFocusPolicy(Qt::NoFocus);
    QFont fixed(u"Courier New"_s);
    fixed.setStyleHint(QFont::TypeWriter);
    m_bets->setFont(fixed);
    // In edit mode a bet of the list can be picked as with the navigator.
    connect(m_bets, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) {
        if (m_editor.editing())
            navigatorMoved(m_bets->indexOfTopLevelItem(item) + 1);
    });
    m_betCount = new QLabel(u"0"_s, panel);
    m_betCount->setObjectName(u"Label5"_s);
    auto *count = new QHBoxLayout;
    count->addWidget(new QLabel(u"Apuestas:"_s, panel));
    count->addWidget(m_betCount, 1);
    layout->addWidget(m_bets, 1);
    layout->addLayout(count);
    layout->addWidget(buildEditPanel());
    return panel;
}

QWidget *EditorWindow::buildEditPanel()
{
    m_editPanel = new QGroupBox(this);
    m_editPanel->setObjectName(u"Frame2"_s);
    auto *layout = new QGridLayout(m_editPanel);
    auto *mode = new QLabel(u"Modo Edición"_s, m_editPanel);
    mode->setObjectName(u"Label6"_s);
    mode->setStyleSheet(u"color: #c0262d; font-weight: bold; font-size: 15px;"_s);
    auto *notice =
        new QLabel(u"¡ Los cambios que realice, serán grabados automáticamente !"_s, m_editPanel);
    notice->setObjectName(u"Label7"_s);
    notice->setWordWrap(true);
    m_navigator = new QScrollBar(Qt::Horizontal, m_editPanel);
    m_navigator->setObjectName(u"HScroll1"_s);
    m_navigator->setMinimum(1);
    m_shownBet = new QLineEdit(m_editPanel);
    m_shownBet->setObjectName(u"Text2"_s);
    m_shownBet->setReadOnly(true);
    m_shownBet->setMaximumWidth(50);
    m_shownBet->setAlignment(Qt::AlignRight);
    auto *add = named(new QPushButton(u"Añadir apuesta"_s, m_editPanel), u"AddBet"_s);
    auto *remove = named(new QPushButton(u"Eliminar apuesta"_s, m_editPanel), u"RemoveBet"_s);

    layout->addWidget(mode, 0, 0, 1, 3);
    layout->addWidget(notice, 1, 0, 1, 3);
    layout->addWidget(new QLabel(u"Apuesta:"_s, m_editPanel), 2, 0);
    layout->addWidget(m_navigator, 2, 1);
    layout->addWidget(m_shownBet, 2, 2);
    layout->addWidget(add, 3, 0, 1, 2);
    layout->addWidget(remove, 3, 2);
    m_editPanel->hide();

    connect(m_navigator, &QScrollBar::valueChanged, this, &EditorWindow::navigatorMoved);
    connect(add, &QPushButton::clicked, this, [this] { showReply(m_editor.addBet()); });
    connect(remove, &QPushButton::clicked, this, [this] { showReply(m_editor.removeShownBet()); });
    return m_editPanel;
}

bool EditorWindow::open(const EditorRequest &request)
{
    if (Status opened = m_editor.open(request); !opened) {
        m_data.showFailure(opened.error());
        return false;
    }
    const bool editing = m_editor.editing();
    m_save->setVisible(!editing);
    m_clear->setVisible(!editing);
    m_editPanel->setVisible(editing);
    // Reduced systems of more than 12 numbers need a wider entry.
    m_bets->setColumnWidth(0, m_editor.requiredCount() > 12 ? 420 : 260);
    showState();
    return true;
}

void EditorWindow::showReply(const Status &reply)
{
    showState();
    if (!reply)
        m_data.platform().messages.show(reply.error().message);
}

void EditorWindow::showState()
{
    if (m_editor.writes() != m_writesSeen) {
        m_writesSeen = m_editor.writes();
        emit syndicatesWritten();
    }
    m_heading->setText(m_editor.heading());
    m_grid->showMarks(m_editor.grid());
    const QStringList &entries = m_editor.entries();
    if (entries != m_listed) {
        m_bets->clear();
        for (const QString &entry : entries)
            m_bets->addTopLevelItem(new QTreeWidgetItem({entry}));
        m_listed = entries;
    }
    m_betCount->setText(QString::number(entries.size()));
    // Edit mode: the list points at the bet on the grid.
    if (m_editor.editing())
        m_bets->setCurrentItem(m_bets->topLevelItem(m_editor.shownBet() - 1));
    const EditorButtons buttons = m_editor.buttons();
    m_random->setEnabled(buttons.random);
    m_clear->setEnabled(buttons.clear);
    m_save->setEnabled(buttons.save);
    if (m_name->text() != m_editor.name())
        m_name->setText(m_editor.name());
    if (QAbstractButton *day = m_days->button(m_editor.dayOption()))
        day->setChecked(true);

    const QSignalBlocker quiet(m_navigator);
    m_navigator->setMaximum(m_editor.navigatorMaximum());
    m_navigator->setValue(m_editor.shownBet());
    m_shownBet->setText(QString::number(m_editor.shownBet()));
}

void EditorWindow::nameEdited(const QString &text)
{
    const NameChange change = m_editor.changeName(text);
    if (change.text != text) {
        // Typed letters become capitals where the cursor left them.
        const int cursor = m_name->cursorPosition();
        m_name->setText(change.text);
        m_name->setCursorPosition(std::min(cursor, int(change.text.size())));
    }
    showReply(change.status);
}

void EditorWindow::save()
{
    const Result<SaveOutcome> outcome = m_editor.save(m_data.platform().clock.today());
    showReply(outcome ? Status() : Status(outcome.error()));
    if (outcome && outcome->closeWindow)
        close();
}

void EditorWindow::navigatorMoved(int bet)
{
    showReply(m_editor.showBet(bet));
}

void EditorWindow::closeDiscarding()
{
    m_discarding = true;
    close();
}

void EditorWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        m_hasBeenActive = true;
        emit activated();
    }
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!m_discarding) {
        if (const Status refused = m_editor.closeRequested(); !refused) {
            event->ignore();
            m_data.platform().messages.show(refused.error().message);
            return;
        }
    }
    m_editor.reset();
    event->accept();
}

} // namespace zafrano::gui
