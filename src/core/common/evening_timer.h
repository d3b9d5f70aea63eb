// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/result.h"

#include <QString>
#include <QStringList>

namespace zafrano {

// The user's service manager, as `systemctl --user` reaches it: the settings
// window and `zafrano-cli timer` switch the evening check through it. Tests
// put a fake in its place and never touch the machine's units.
class Systemctl
{
public:
    virtual ~Systemctl() = default;
    // Whether this session runs under systemd at all.
    virtual bool available() const = 0;
    // Runs `systemctl --user ARGUMENTS…`; its exit code, -1 when it did not run.
    virtual int run(const QStringList &arguments) = 0;
};

// The machine's systemctl, or the program ZAFRANO_SYSTEMCTL names (which is
// then taken as available: the command line's tests give a script of their own).
class SystemSystemctl final : public Systemctl
{
public:
    bool available() const override;
    int run(const QStringList &arguments) override;
};

// The evening check as the package installs it: the timer and the service it starts.
inline constexpr auto EveningTimerUnit = u"zafrano-comprobar.timer";
inline constexpr auto EveningServiceUnit = u"zafrano-comprobar.service";
// The drop-in that gives the service a data folder other than the default one.
inline constexpr auto FolderDropInName = u"carpeta.conf";

// ~/.config/systemd/user/zafrano-comprobar.service.d ($XDG_CONFIG_HOME when set).
QString eveningDropInFolder();

// Whether `dataFolder` is the one zafrano-cli finds with no folder given (the
// user's own, ~/.local/share/Zafrano): the service then needs no drop-in.
bool isDefaultDataFolder(const QString &dataFolder);

// Whether systemd has the timer switched on.
bool eveningCheckEnabled(Systemctl &systemctl);

// Switches the timer on or off for `dataFolder`. On, a folder that is not the
// default one is written into the service's drop-in (and an old drop-in goes
// for the default one), systemd reloads it and the timer is enabled and
// started; off, it is disabled and stopped. The error names the command that failed.
Status switchEveningCheck(Systemctl &systemctl, bool on, const QString &dataFolder);

// The cron line that does the same for `dataFolder` on a system without systemd.
QString eveningCronLine(const QString &cliProgram, const QString &dataFolder);
// "Este sistema no tiene systemd. …", with that line.
QString withoutSystemdText(const QString &cliProgram, const QString &dataFolder);

} // namespace zafrano
