// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/placeholder_tabs.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
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

} // namespace

QWidget *makeLastDrawTab(QWidget *parent)
{
    auto *tab = new QWidget(parent);
    auto *layout = new QVBoxLayout(tab);
    auto *label =
        wrappedLabel(u"Todavía no hay información del último sorteo."_s, u"Label8"_s, tab);
    label->setAlignment(Qt::AlignCenter);
    label->setStyleSheet(u"color: gray;"_s);
    layout->addWidget(label);
    return tab;
}

QWidget *makeCreateTab(QWidget *parent)
{
    auto *tab = new QWidget(parent);
    auto *box = new QGroupBox(u"Creación de una Peña nueva"_s, tab);
    auto *grid = new QGridLayout(box);
    grid->addWidget(
        wrappedLabel(u"- Seleccione el modo de creación de la peña:"_s, u"Label30"_s, box), 0, 0, 1,
        2);
    auto *manual = new QPushButton(u"Manual"_s, box);
    manual->setObjectName(u"Command4"_s);
    auto *automatic = new QPushButton(u"Automática"_s, box);
    automatic->setObjectName(u"Command9"_s);
    for (QPushButton *button : {manual, automatic}) {
        button->setMinimumSize(140, 40);
        button->setEnabled(false); // the chooser and the assistant come with the editor
    }
    grid->addWidget(manual, 1, 0, Qt::AlignTop);
    grid->addWidget(wrappedLabel(u"Introduzca los números manualmente. Cree la peña Reducida, "
                                 u"Múltiple o Sencilla, con los números que usted desee."_s,
                                 u"Label31"_s, box),
                    1, 1);
    grid->addWidget(automatic, 2, 0, Qt::AlignTop);
    grid->addWidget(wrappedLabel(u"Deje que el ordenador confeccione las apuestas de su peña, a "
                                 u"partir de los números que más salen de la base de datos de "
                                 u"los sorteos almacenados en el programa."_s,
                                 u"Label32"_s, box),
                    2, 1);
    grid->addWidget(wrappedLabel(u"Puede crear peñas Sencillas, Múltiples y Reducidas, así como "
                                 u"ver o imprimir un informe estadístico."_s,
                                 u"Label33"_s, box),
                    3, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);
    auto *layout = new QVBoxLayout(tab);
    layout->addWidget(box);
    return tab;
}

} // namespace zafrano::gui
