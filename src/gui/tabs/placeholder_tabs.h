// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace zafrano::gui {

// Tab "Último sorteo": the newest draw's prizes come here with the download.
QWidget *makeLastDrawTab(QWidget *parent);

} // namespace zafrano::gui
