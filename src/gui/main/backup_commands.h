// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace zafrano::gui {

class ProgramData;

// "Copia de seguridad..." and "Restaurar copia...": the backup file the
// player keeps elsewhere, and putting a backup file or an automatic copy back.
class BackupCommands : public QObject
{
    Q_OBJECT

public:
    explicit BackupCommands(ProgramData &data, QObject *parent = nullptr);

    void saveBackup();
    // "Otro archivo...": a backup file or a copy's manifest chosen anywhere.
    void restoreOtherFile();
    // Checks the copy, shows what it holds and asks; on "Sí" restores it and
    // reads every file again.
    void restoreFrom(const QString &path);

private:
    ProgramData &m_data;
};

} // namespace zafrano::gui
