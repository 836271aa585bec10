#!/usr/bin/env bash
# Builds the libFuzzer targets (fuzz/fuzz_*.cpp) with clang and runs each briefly on its seed
# corpus (fuzz/corpus/<target>/). FUZZ_SECONDS sets the time of each run (default 30);
# FUZZ_TARGET=fuzz_stream runs that target alone; FUZZ_JOBS targets run at once (default: one a
# core; each run is a single process on one core, so two cores give each target its full time in
# half the wall time). What a run finds is kept between runs in build/fuzz/corpus/<target>/; with
# FUZZ_MERGE=1 the inputs of it that reach new code are merged into the seed corpus in the source
# tree, to be committed.
# Only the fuzzers and the libraries they include from are built, so Qt code that clang would
# not take never enters this build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${FUZZ_SECONDS:-30}
only=${FUZZ_TARGET:-}
merge=${FUZZ_MERGE:-}
jobs=${FUZZ_JOBS:-$(nproc)}
build="$root/build/fuzz"
generator=()
if [ ! -f "$build/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    generator=(-G Ninja)
fi
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILVAR_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j"$(nproc)" --target fuzzers

# fuzz_one <name>: one run of one target, its log in the build folder; what it says at the end
# goes to build/fuzz/<name>.summary, printed once every run is over.
fuzz_one() {
    local name=$1 target="$build/fuzz/$1" work="$build/corpus/$1" seeds=()
    if [ ! -x "$target" ]; then
        echo "== $name: not built" >"$build/$name.summary"
        return 1
    fi
    mkdir -p "$work"
    [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
    {
        echo "== $name (${seconds}s)"
        # Findings go to the build folder, not the source tree.
        if ! (cd "$build" && "$target" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$build/$name-" "$work" "${seeds[@]}" >"$build/$name.log" 2>&1); then
            tail -n 40 "$build/$name.log"
            echo "== $name: FAILED (log: $build/$name.log)"
            return 1
        fi
        grep -E '^(stat::number_of_executed_units|Done)' "$build/$name.log" ||
            tail -n 3 "$build/$name.log"
        if [ -n "$merge" ]; then
            mkdir -p "$root/fuzz/corpus/$name"
            (cd "$build" && "$target" -merge=1 "$root/fuzz/corpus/$name" "$work" \
                >"$build/$name-merge.log" 2>&1) || { tail -n 5 "$build/$name-merge.log"; return 1; }
            grep -E 'MERGE-OUTER: [0-9]+ new files' "$build/$name-merge.log" || true
        fi
    } >"$build/$name.summary" 2>&1
}

shopt -s nullglob
names=()
for source in "$root"/fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    [ -n "$only" ] && [ "$name" != "$only" ] && continue
    names+=("$name")
done
status=0
running=()
for name in "${names[@]}"; do
    if [ ${#running[@]} -ge "$jobs" ]; then
        wait "${running[0]}" || status=1
        running=("${running[@]:1}")
    fi
    fuzz_one "$name" &
    running+=($!)
done
for pid in "${running[@]}"; do
    wait "$pid" || status=1
done
for name in "${names[@]}"; do
    cat "$build/$name.summary"
done
exit $status
