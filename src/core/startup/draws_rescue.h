// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "backup/automatic_copies.h"
#include "store/data_folder.h"

#include <optional>

namespace zafrano {

// A draws file that does not read (a cut record, a number outside 1..49,
// dates out of order) is put aside as bononume.bad at start-up and an empty
// one takes its place. What can bring the draws back is offered at once: the
// draws of the newest automatic copy that reads whole, then the history the
// program ships.
struct DrawsRescue
{
    // "Archivo de números ganadores no válido…", naming where the file went.
    ProgramMessage damage;
    // The newest copy whose bononume.dat reads whole and holds draws.
    std::optional<copies::CopyEntry> copy;
    CopySummary copyContents;
    // The shipped history, when the install has one.
    QString history;

    // That copy's draws file, which `import` takes as it is.
    QString copyDrawsPath() const;
};

// Nothing when the draws file reads (or is missing).
std::optional<DrawsRescue> rescueDamagedDraws(const DataFolder &folder);

// The window's question for the copy: "¿Quiere recuperar los sorteos de la
// copia automática del 08/12/2026 22:30 (diaria)? Son …".
ProgramMessage copyRescueQuestion(const DrawsRescue &rescue);

// What the command line says to do next: the commands that bring the draws back.
QString rescueAdvice(const DrawsRescue &rescue);

} // namespace zafrano
