#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite; checks that
# install-deps.sh brings every package the build used, builds the Debian
# package and checks it as a normal user meets it; then runs the same suite
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
# SKIP_SANITIZERS=1 runs the plain build only.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

scripts/build.sh build -DZAFRANO_WERROR=ON
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
scripts/check-deps.sh build
scripts/package.sh build
scripts/check-package.sh build

if [ "${SKIP_SANITIZERS:-0}" != 1 ]; then
    BUILD_TYPE=Debug scripts/build.sh build-asan -DZAFRANO_SANITIZE=ON -DZAFRANO_WERROR=ON \
        -DZAFRANO_BUILD_BENCHMARKS=OFF
    UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
fi
