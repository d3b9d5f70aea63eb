// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace zafrano::gui {

class Desktop;

// "Acercade": the program's version, the web site and the operating system.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(Desktop &desktop, const QString &webAddress, QWidget *parent = nullptr);
};

} // namespace zafrano::gui
