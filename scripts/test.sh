#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the plain build, printing through CUPS,
# the Debian package, every benchmark once briefly, the same suite under AddressSanitizer and
# UndefinedBehaviorSanitizer, and short libFuzzer runs. Each stage ends with its time.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

started=$SECONDS
# stage <name> <command...>: runs one stage and says how long it took (wall and processor time
# of everything it started).
stage() {
    local name=$1 start=$SECONDS
    shift
    local before after
    cpu_seconds >"$times_file.before"
    "$@"
    cpu_seconds >"$times_file.after"
    before=$(cat "$times_file.before")
    after=$(cat "$times_file.after")
    printf '== stage %s: %d s, %s s of processor (%d s in all)\n' "$name" \
        $((SECONDS - start)) "$(awk -v a="$after" -v b="$before" 'BEGIN { printf "%.0f", a - b }')" \
        $((SECONDS - started))
}
# Processor seconds (user and system) of the children this shell has waited for: `times` runs in
# this shell (a pipe or $(...) would ask a new one, whose children are none).
times_file=$(mktemp)
trap 'rm -f "$times_file" "$times_file".*' EXIT
cpu_seconds() {
    times >"$times_file"
    awk 'NR == 2 { sum = 0; for (i = 1; i <= 2; i++) { split($i, t, /[ms]/);
        sum += t[1] * 60 + t[2] } print sum }' "$times_file"
}
ctest_in() {
    (cd "$1" && shift && "$@" ctest --output-on-failure -j"$(nproc)")
}

stage install scripts/install-deps.sh run package test

# The start command may have configured this folder for the program alone. A warning fails CI.
# Line tables only (-g1): the same code (GCC's -g never changes it), reports that still name file
# and line, a package stripped as before, and about 30 % less processor a compile (the main
# window's: 7.3 s at -g, 5.1 s at -g1).
stage "release build" scripts/build.sh build/release -DQUILVAR_TESTS=ON -DQUILVAR_WERROR=ON \
    "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O2 -g1 -DNDEBUG"
# File length, formatting and clang-tidy over our code.
stage "code rules" scripts/check-rules.sh build/release
stage "release tests" ctest_in build/release env
# Printing through a real CUPS queue, started and stopped by the script itself.
stage "printing through CUPS" scripts/cups-e2e.sh build/release
# The Debian package: made, checked, installed, started, removed.
stage "Debian package" scripts/package-e2e.sh build/release
# Every benchmark runs once, briefly: one that crashes or prints no figure fails, whatever its
# figures.
stage benchmarks scripts/bench.sh build/release

stage "sanitizer build" scripts/build.sh build/sanitize -DQUILVAR_SANITIZE=ON -DQUILVAR_BENCH=OFF \
    -DQUILVAR_WERROR=ON
stage "sanitizer tests" ctest_in build/sanitize env ASAN_OPTIONS=detect_leaks=1 \
    UBSAN_OPTIONS=print_stacktrace=1

stage fuzzing scripts/fuzz.sh
echo "Tous les tests sont passés."
