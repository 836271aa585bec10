#!/usr/bin/env bash
# check-rules.sh [build-dir]: the code rules that a compiler does not check, over every file of
# ours that git knows. Exits non-zero, saying what broke, when
#   - a source file is over 600 lines (one purpose per file),
#   - a C++ file differs from what clang-format makes of it (.clang-format),
#   - a name of ours begins with an underscore (scripts/reserved-names.py),
#   - clang-tidy finds anything in our sources or headers (.clang-tidy), with the compile
#     commands of <build-dir> (default build/release),
#   - the dependency picture in docs/ARCHITECTURE.md differs from the build's targets.
# The layering rules (pure libraries link no Qt, includes only from declared dependencies) are
# checked by CMake at every configure; -Werror is the QUILVAR_WERROR option.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
cd "$root"
status=0
max_lines=600

mapfile -t sources < <(git ls-files '*.cpp' '*.h')

echo "== files of at most $max_lines lines"
long=$(git ls-files '*.cpp' '*.h' '*.sh' '*.py' '*.cmake' 'CMakeLists.txt' '*/CMakeLists.txt' |
    xargs wc -l | awk -v max="$max_lines" '$2 != "total" && $1 > max { print "  " $2 ": " $1 " lines" }')
if [ -n "$long" ]; then
    echo "over $max_lines lines:"
    echo "$long"
    status=1
fi

echo "== clang-format"
if ! clang-format-14 --dry-run --Werror "${sources[@]}" 2>"$build/clang-format.log"; then
    grep -E '^[^ ].*: (error|warning):' "$build/clang-format.log" | cut -d: -f1 | sort -u |
        sed 's/^/  not formatted: /'
    echo "  (clang-format-14 -i <file> formats it)"
    status=1
fi

echo "== names reserved for the implementation"
if ! python3 scripts/reserved-names.py "${sources[@]}" | sed 's/^/  /'; then
    status=1
fi

echo "== clang-tidy"
[ -f "$build/compile_commands.json" ] || { echo "no $build/compile_commands.json" >&2; exit 1; }
# Our translation units only (not moc's or rcc's, which live in the build folder); our headers
# through the header filter, which clang-tidy matches against absolute paths.
folders='base|calc|format|os|print|platform|resources|widgets|ui|app|tests|bench|fuzz|tools'
# The tests' precompiled header is GCC's, which clang cannot read: clang-tidy gets the compile
# commands without it, so each test is read from its own includes alone.
mkdir -p "$build/tidy"
python3 - "$build/compile_commands.json" "$build/tidy/compile_commands.json" <<'PY'
import json, re, sys
commands = json.load(open(sys.argv[1]))
for command in commands:
    command["command"] = re.sub(r" -Winvalid-pch -include \S+/cmake_pch\.hxx", "",
                                command["command"])
json.dump(commands, open(sys.argv[2], "w"), indent=1)
PY
run-clang-tidy-14 -quiet -p "$build/tidy" -j "$(nproc)" \
    -header-filter="^$root/($folders)/.*\\.h$" "^$root/($folders)/.*\\.cpp$" \
    >"$build/clang-tidy.log" 2>&1 || true
# Each finding once (a header's finding comes with every unit that includes it). The script
# always asks clang-tidy for colours, so their escapes go before the findings are picked out.
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$build/clang-tidy.log" |
    grep -E "^$root/($folders)/[^:]+:[0-9]+:[0-9]+: (warning|error):" |
    sed "s|^$root/||" | sort -u || true)
if [ -n "$findings" ] || ! grep -q . "$build/clang-tidy.log"; then
    echo "${findings:-clang-tidy printed nothing: did it run?}" | sed 's/^/  /'
    echo "  (full log: $build/clang-tidy.log)"
    status=1
fi

echo "== the dependency picture in docs/ARCHITECTURE.md"
(cd "$build" && cmake --graphviz="$build/graphviz/quilvar.dot" . >/dev/null)
built=$(python3 scripts/dependency-picture.py "$build/graphviz/quilvar.dot")
documented=$(sed -n '/<!-- dependencies -->/,/<!-- \/dependencies -->/p' docs/ARCHITECTURE.md |
    grep -E '^[a-z_]+ +-> ' || true)
if [ "$built" != "$documented" ]; then
    echo "  the build's dependencies differ from the documented ones:"
    diff <(echo "$documented") <(echo "$built") | sed 's/^/  /' || true
    status=1
fi

[ $status -eq 0 ] && echo "check-rules: every rule holds"
exit $status
