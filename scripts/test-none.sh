#!/usr/bin/env bash
# test-none.sh [build-dir]: builds the tree with no operating system services (QUILVAR_OS=none:
# no print service, no help viewer, windows placed by Qt) and runs the tests, which need none.
# This is where a new system starts from; the default folder is build/none.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build/none}
"$root/scripts/build.sh" "$dir" -DQUILVAR_OS=none -DQUILVAR_TESTS=ON -DQUILVAR_BENCH=OFF \
    -DQUILVAR_WERROR=ON
(cd "$dir" && ctest --output-on-failure -j"$(nproc)")
