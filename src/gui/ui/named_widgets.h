// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QString>

namespace zafrano::gui {

// A control under its program name, so tests and readers find it by objectName.
template <typename Widget> Widget *named(Widget *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// A label of running text that wraps at the width it is given.
inline QLabel *wrappedLabel(const QString &text, const QString &name, QWidget *parent)
{
    auto *label = named(new QLabel(text, parent), name);
    label->setWordWrap(true);
    return label;
}

// A bold label for a figure or a name the window fills in, in `color` when given.
inline QLabel *valueLabel(const QString &text, const QString &name, QWidget *parent,
                          const QString &color = {})
{
    auto *label = named(new QLabel(text, parent), name);
    label->setStyleSheet(color.isEmpty()
                             ? QStringLiteral("font-weight: bold;")
                             : QStringLiteral("font-weight: bold; color: %1;").arg(color));
    return label;
}

} // namespace zafrano::gui
