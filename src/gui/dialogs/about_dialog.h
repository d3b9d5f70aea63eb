// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace zafrano::gui {

class Desktop;

// "Acercade": the program's version, the web site, the operating system and
// the data folder, so a player knows where their files are.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(Desktop &desktop, const QString &webAddress, const QString &dataFolder,
                QWidget *parent = nullptr);
};

} // namespace zafrano::gui
