// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/create_tab.h"

#include "app/program_data.h"
#include "tabs/bet_kind_panel.h"
#include "tabs/statistics_filter.h"
#include "ui/named_widgets.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace zafrano::gui {

namespace {

QString countText(int count)
{
    return u"Ha seleccionado "_s + QString::number(count) + u" números."_s;
}

// "Los más frecuentes:" and each chosen number with the times it came out.
QString chosenNumbersText(const QList<RankedNumber> &chosen)
{
    QStringList numbers;
    for (const RankedNumber &ranked : chosen)
        numbers.append(u"<b>%1</b>&nbsp;(%2)"_s.arg(ranked.number).arg(ranked.times));
    return u"Los más frecuentes: "_s + numbers.join(u", "_s);
}

} // namespace

CreateTab::CreateTab(ProgramData &data, StatisticsFilter &filter, QWidget *parent)
    : QWidget(parent), m_data(data), m_filter(filter)
{
    m_opening = new QGroupBox(u"Creación de una Peña nueva"_s, this);
    auto *grid = new QGridLayout(m_opening);
    grid->addWidget(
        wrappedLabel(u"- Seleccione el modo de creación de la peña:"_s, u"Label30"_s, m_opening), 0,
        0, 1, 2);
    auto *manual = new QPushButton(u"Manual"_s, m_opening);
    manual->setObjectName(u"Command4"_s);
    auto *automatic = new QPushButton(u"Automática"_s, m_opening);
    automatic->setObjectName(u"Command9"_s);
    for (QPushButton *button : {manual, automatic})
        button->setMinimumSize(140, 40);
    grid->addWidget(manual, 1, 0, Qt::AlignTop);
    grid->addWidget(wrappedLabel(u"Introduzca los números manualmente. Cree la peña Reducida, "
                                 u"Múltiple o Sencilla, con los números que usted desee."_s,
                                 u"Label31"_s, m_opening),
                    1, 1);
    grid->addWidget(automatic, 2, 0, Qt::AlignTop);
    grid->addWidget(wrappedLabel(u"Deje que el ordenador confeccione las apuestas de su peña, a "
                                 u"partir de los números que más salen de la base de datos de "
                                 u"los sorteos almacenados en el programa."_s,
                                 u"Label32"_s, m_opening),
                    2, 1);
    grid->addWidget(wrappedLabel(u"Puede crear peñas Sencillas, Múltiples y Reducidas, así como "
                                 u"ver o imprimir un informe estadístico."_s,
                                 u"Label33"_s, m_opening),
                    3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    // Step 2: how many of the most frequent numbers to play.
    auto *stepTwo = new QGroupBox(u"Paso 2"_s);
    stepTwo->setObjectName(u"Frame6"_s);
    m_count = new QSlider(Qt::Horizontal, stepTwo);
    m_count->setObjectName(u"Slider2"_s);
    m_count->setRange(0, 49);
    m_count->setPageStep(5);
    m_countText = new QLabel(countText(0), stepTwo);
    m_countText->setObjectName(u"Label23"_s);
    auto *stepTwoLayout = new QVBoxLayout(stepTwo);
    stepTwoLayout->addWidget(new QLabel(u"- Indique la cantidad de números a seleccionar:"_s));
    stepTwoLayout->addWidget(m_count);
    stepTwoLayout->addWidget(m_countText);
    // The numbers the ranking chose, so the player sees what the editor gets.
    m_chosenText = new QLabel(stepTwo);
    m_chosenText->setObjectName(u"chosenNumbers"_s);
    m_chosenText->setWordWrap(true);
    m_chosenText->setTextFormat(Qt::RichText);
    stepTwoLayout->addWidget(m_chosenText);
    stepTwoLayout->addStretch(1);

    // Step 3: the kind of bet for that many numbers.
    auto *stepThree = new QGroupBox(u"Paso 3"_s);
    stepThree->setObjectName(u"Frame7"_s);
    m_betKinds = new BetKindPanel(m_data, stepThree);
    auto *stepThreeLayout = new QVBoxLayout(stepThree);
    stepThreeLayout->addWidget(m_betKinds);

    // The statistics report of the numbers chosen in step 2.
    auto *report = new QGroupBox(u"Informe"_s);
    report->setObjectName(u"Frame13"_s);
    m_statisticsReport =
        new QPushButton(QIcon(u":/zafrano/report.svg"_s), u"Informe estadístico"_s, report);
    m_statisticsReport->setObjectName(u"Image2_1"_s);
    m_statisticsReport->setIconSize({24, 24});
    (new QVBoxLayout(report))->addWidget(m_statisticsReport);
    connect(m_statisticsReport, &QPushButton::clicked, this, &CreateTab::statisticsReportRequested);
    auto *lastColumn = new QVBoxLayout;
    lastColumn->addWidget(stepThree, 1);
    lastColumn->addWidget(report);

    m_assistant = new QWidget(this);
    auto *steps = new QHBoxLayout(m_assistant);
    steps->addWidget(m_filter.stepOneGroup(), 2);
    steps->addWidget(stepTwo, 1);
    steps->addLayout(lastColumn, 1);
    m_assistant->setVisible(false);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_opening);
    layout->addWidget(m_assistant);
    layout->addStretch(1);

    connect(automatic, &QPushButton::clicked, this, &CreateTab::enterAssistant);
    connect(m_count, &QSlider::valueChanged, this, &CreateTab::chooseNumberCount);
    connect(manual, &QPushButton::clicked, this, &CreateTab::chooserRequested);
    connect(m_betKinds, &BetKindPanel::stepOneRequested, this, &CreateTab::returnToStepOne);
    connect(m_betKinds, &BetKindPanel::backtestRequested, this, &CreateTab::backtestRequested);
    connect(m_betKinds, &BetKindPanel::editorRequested, this, &CreateTab::editorRequested);
}

void CreateTab::enterAssistant()
{
    m_opening->setVisible(false);
    m_assistant->setVisible(true);
}

void CreateTab::restoreOpeningState()
{
    returnToStepOne();
    m_assistant->setVisible(false);
    m_opening->setVisible(true);
}

void CreateTab::enterTab()
{
    m_betKinds->showTablesFor(0);
}

void CreateTab::setStatisticsReportEnabled(bool enabled)
{
    m_statisticsReport->setEnabled(enabled);
}

void CreateTab::chooseNumberCount(int count)
{
    m_countText->setText(countText(count));
    m_chosenText->clear();
    if (count == 0) {
        m_betKinds->offerKindsFor(0);
        return;
    }
    m_data.rankNumbers(count);
    m_chosenText->setText(chosenNumbersText(m_data.chosenNumbers()));
    m_betKinds->offerKindsFor(count);
    m_filter.setStepOneLocked(true);
}

void CreateTab::returnToStepOne()
{
    m_count->setEnabled(true);
    m_count->setValue(0);
    m_betKinds->reset();
    m_filter.setStepOneLocked(false);
}

} // namespace zafrano::gui
