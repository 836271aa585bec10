#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each briefly on its seed corpus.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
CXX=clang++-14 scripts/build.sh "$root/build/fuzz" -DQUILVAR_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14
shopt -s nullglob
for target in "$root"/build/fuzz/fuzz/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    work="$root/build/fuzz/corpus/$name"
    mkdir -p "$work"
    seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
    echo "== $name (${seconds}s)"
    "$target" -max_total_time="$seconds" -print_final_stats=1 "$work" "${seeds[@]}" 2>&1 | tail -n 3
done
