#!/usr/bin/env bash
# build.sh <build-dir> [cmake options...]: configures and builds one tree, with Ninja where it is
# installed (it keeps both cores busy across folders; a folder configured earlier with another
# generator keeps it, since CMake refuses to switch a configured folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
generator=()
if [ ! -f "$dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then
    generator=(-G Ninja)
fi
cmake -S "$root" -B "$dir" "${generator[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$dir" -j"$(nproc)"
