#!/usr/bin/env bash
# Installs every Debian 12 package the build, the tests, the benchmarks, the
# screenshots and the Debian package need. Safe to run again: apt-get skips
# what is already there. `--list` prints the packages and installs nothing
# (scripts/check-deps.sh reads them).
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache clang-format pkg-config
    # Qt6Charts' CMake configuration loads Qt6OpenGL's, which qt6-base-dev
    # only recommends.
    qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-pdf-dev qt6-svg-dev libgl1-mesa-dev
    # Qt's own buttons in Spanish ("Aceptar", "Cancelar").
    qt6-translations-l10n
    libsqlcipher-dev libarchive-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth poppler-utils fonts-dejavu-core
    # The real window under Xvfb, driven and photographed as a user sees it:
    # xdotool key Return; xwd -root | xwdtopnm | pnmtopng.
    x11-apps netpbm xdotool
    # The Debian package (dpkg-shlibdeps) and the checks of the installed files
    # and of the package itself (lintian).
    dpkg-dev desktop-file-utils appstream lintian
    # The evening check's tests: a private session bus for the notifications,
    # systemd-analyze for the timer units.
    dbus-daemon systemd
)

if [ "${1:-}" = --list ]; then
    printf '%s\n' "${packages[@]}"
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]} == 0)); then
    echo "install-deps: everything is installed"
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
