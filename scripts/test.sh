#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; then the same
# suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
# SKIP_SANITIZERS=1 runs the plain build only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DZAFRANO_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

if [ "${SKIP_SANITIZERS:-0}" != 1 ]; then
    BUILD_TYPE=Debug scripts/build.sh build-asan -DZAFRANO_SANITIZE=ON -DZAFRANO_WERROR=ON \
        -DZAFRANO_BUILD_BENCHMARKS=OFF
    UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
fi
