#!/usr/bin/env bash
# Configures and builds one build folder. Usage: scripts/build.sh [DIR] [cmake options…]
set -euo pipefail
cd "$(dirname "$0")/.."
# ccache may serve another clone's objects: paths are taken relative to the tree.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=${BUILD_TYPE:-RelWithDebInfo} "$@" >/dev/null
cmake --build "$dir" --parallel "$(nproc)"
