#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the plain build, printing through CUPS,
# the Debian package, the same suite under AddressSanitizer and UndefinedBehaviorSanitizer, and
# short libFuzzer runs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh run package test

# The start command may have configured this folder for the program alone. A warning fails CI.
scripts/build.sh build/release -DQUILVAR_TESTS=ON -DQUILVAR_WERROR=ON
# File length, formatting and clang-tidy over our code.
scripts/check-rules.sh build/release
(cd build/release && ctest --output-on-failure -j"$(nproc)")
# Printing through a real CUPS queue, started and stopped by the script itself.
scripts/cups-e2e.sh build/release
# The Debian package: made, checked, installed, started, removed.
scripts/package-e2e.sh build/release

scripts/build.sh build/sanitize -DQUILVAR_SANITIZE=ON -DQUILVAR_BENCH=OFF -DQUILVAR_WERROR=ON
(cd build/sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j"$(nproc)")

scripts/fuzz.sh
echo "Tous les tests sont passés."
