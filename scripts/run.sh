#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program from its build folder
# (its data files live beside it, in build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh build
exec build/bin/zafrano "$@"
