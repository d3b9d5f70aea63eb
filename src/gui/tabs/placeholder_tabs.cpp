// SPDX-License-Identifier: GPL-3.0-or-later
#include "tabs/placeholder_tabs.h"

#include <QLabel>
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

} // namespace zafrano::gui
