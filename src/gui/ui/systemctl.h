// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace zafrano::gui {

// The user's service manager, as `systemctl --user` reaches it: the settings
// window switches the evening timer through it. Tests put a fake in its place
// and never touch the machine's units.
class Systemctl
{
public:
    virtual ~Systemctl() = default;
    // Whether this session runs under systemd at all.
    virtual bool available() const = 0;
    // Runs `systemctl --user ARGUMENTS…`; its exit code, -1 when it did not run.
    virtual int run(const QStringList &arguments) = 0;
};

class SystemSystemctl final : public Systemctl
{
public:
    bool available() const override;
    int run(const QStringList &arguments) override;
};

// The evening check's timer as the package installs it.
inline constexpr auto EveningTimerUnit = u"zafrano-comprobar.timer";

// The line that does the same with cron, for a system without systemd.
QString eveningCronLine(const QString &cliProgram);

} // namespace zafrano::gui
