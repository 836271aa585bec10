#!/usr/bin/env bash
# bench.sh [build-dir]: runs every benchmark of the build once, briefly (3 repetitions, the
# start-up benchmark its fewest launches), so that a benchmark that no longer runs is found: each
# must exit 0 and print at least one ratio, every ratio a finite positive number. The figures
# themselves are not judged: a short run on a shared machine says nothing about speed (the
# README says how to take them).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
shopt -s nullglob
benches=("$build"/bench/bench_*)
[ ${#benches[@]} -gt 0 ] || { echo "bench: no benchmark in $build/bench" >&2; exit 1; }
status=0
for bench in "${benches[@]}"; do
    name=$(basename "$bench")
    if [ ! -f "$bench" ] || [ ! -x "$bench" ]; then
        continue # its build's folders and logs
    fi
    case "$name" in
    bench_startup_baseline) continue ;; # the start-up benchmark's bare window
    bench_startup) arguments=(--rounds=2 --memory-rounds=1) ;;
    *) arguments=(--repetitions=3) ;;
    esac
    echo "== $name ${arguments[*]}"
    start=$SECONDS
    log=$build/bench/$name.log
    exit_status=0
    QT_QPA_PLATFORM=offscreen "$bench" "${arguments[@]}" >"$log" 2>&1 || exit_status=$?
    if [ $exit_status -ne 0 ]; then
        cat "$log"
        echo "== $name: FAILED with exit status $exit_status (log: $log)" >&2
        status=1
        continue
    fi
    grep '^ratio ' "$log" || true
    # "ratio <label>: <figure> ..."; the label may hold colons of its own.
    bad=$(awk '/^ratio / { line = $0; sub(/^ratio .*: /, "", line); split(line, words, " ");
               figure = words[1];
               if (figure !~ /^[0-9]+(\.[0-9]+)?$/ || figure + 0 <= 0) print }' "$log")
    if ! grep -q '^ratio ' "$log" || [ -n "$bad" ]; then
        echo "== $name: FAILED, no ratio or one that is not a positive number: ${bad:-none printed}" >&2
        status=1
        continue
    fi
    echo "== $name: $((SECONDS - start)) s"
done
exit $status
