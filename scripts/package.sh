#!/usr/bin/env bash
# Builds the Debian package build/zafrano_VERSION_ARCH.deb (installed under
# /usr, its Depends worked out from the binaries). Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
scripts/build.sh "$dir"
cpack --config "$dir/CPackConfig.cmake" -B "$dir" >/dev/null
rm -rf "$dir/_CPack_Packages"
ls "$dir"/zafrano_*.deb
