// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/create_tab.h"

#include "main/program_data.h"
#include "tabs/statistics_filter.h"

#include <QComboBox>
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

QLabel *wrappedLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    return label;
}

QString countText(int count)
{
    return u"Ha seleccionado "_s + QString::number(count) + u" números."_s;
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
    manual->setEnabled(false); // the chooser comes with the syndicate editor
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
    stepTwoLayout->addStretch(1);

    // Step 3: the kind of bet. Its create buttons open the syndicate editor,
    // which is not part of the program yet: they stay disabled until then.
    auto *stepThree = new QGroupBox(u"Paso 3"_s);
    stepThree->setObjectName(u"Frame7"_s);
    m_tables = new QComboBox(stepThree);
    m_tables->setObjectName(u"Combo1"_s);
    m_tables->addItem(u"Tablas disponibles"_s);
    m_tables->setEnabled(false);
    const std::array<const char16_t *, 3> kinds = {u"Reducida", u"Sencilla", u"Múltiple"};
    auto *stepThreeLayout = new QVBoxLayout(stepThree);
    stepThreeLayout->addWidget(m_tables);
    for (int i = 0; i < 3; ++i) {
        m_createButtons[i] = new QPushButton(QString::fromUtf16(kinds[i]), stepThree);
        m_createButtons[i]->setObjectName(u"Image3_"_s + QString::number(i));
        m_createButtons[i]->setEnabled(false);
        stepThreeLayout->addWidget(m_createButtons[i]);
    }
    auto *back = new QPushButton(u"-Volver al Paso 1:"_s, stepThree);
    back->setObjectName(u"Image4"_s);
    stepThreeLayout->addWidget(back);
    stepThreeLayout->addStretch(1);

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
    connect(back, &QPushButton::clicked, this, &CreateTab::returnToStepOne);
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

void CreateTab::setStatisticsReportEnabled(bool enabled)
{
    m_statisticsReport->setEnabled(enabled);
}

void CreateTab::chooseNumberCount(int count)
{
    for (QPushButton *button : m_createButtons)
        button->setEnabled(false);
    m_countText->setText(countText(count));
    if (count == 0)
        return;
    m_data.rankNumbers(count);
    // Here step 3 lists the reduction tables for `count` numbers and enables
    // its create buttons (simple for 6, multiple for 5 and 7..11) once the
    // editor they open exists.
    m_filter.setStepOneLocked(true);
}

void CreateTab::returnToStepOne()
{
    m_count->setEnabled(true);
    m_count->setValue(0);
    m_tables->setEnabled(false);
    m_filter.setStepOneLocked(false);
}

} // namespace zafrano::gui
