#!/usr/bin/env bash
# windows.sh: Quilvar for Windows x86-64, built on Debian with MinGW-w64 from the same sources as
# the Linux build, and proved under Wine:
#   1. installs what it needs (scripts/packages/windows.txt);
#   2. finds Qt for Windows: QUILVAR_MINGW_PREFIX if set, else ../shared/mingw/qt6-mingw64.tar.xz
#      (checksum checked) unpacked into build/windows/qt6-mingw64, else a prefix that
#      scripts/build-qt-mingw.sh built there;
#   3. cross-compiles the program and its tests into build/windows/build;
#   4. runs the suite through ctest under Wine, on a virtual display, with French regional
#      settings (scripts/wine-env.sh);
#   5. makes build/windows/quilvar-<version>-win64.exe (the installer) and
#      build/windows/quilvar-<version>-win64.zip (the portable program);
#   6. installs the installer silently under Wine, starts the program, opens the cutting list,
#      prints the window on a CUPS PDF queue of its own, uninstalls (scripts/windows-e2e.sh).
# QUILVAR_WINDOWS_E2E=0 leaves out step 6.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
out=$root/build/windows
build=$out/build

scripts/install-deps.sh run windows
mkdir -p "$out"

# --- Qt for Windows -------------------------------------------------------------------------
no_prefix() {
    echo "windows.sh : aucun Qt pour Windows (MinGW-w64) : ni ../shared/mingw/qt6-mingw64.tar.xz," \
        "ni QUILVAR_MINGW_PREFIX ; scripts/build-qt-mingw.sh le construit depuis les sources" \
        "Debian (environ une heure)." >&2
    exit 2
}
is_prefix() { [ -f "$1/lib/cmake/Qt6/qt.toolchain.cmake" ]; }

# The shared folder lies beside the checkout; for a git worktree, beside its main checkout too.
shared_tarball() {
    local common
    common=$(git -C "$root" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
    for dir in "$root/../shared/mingw" "${common:+$(dirname "$common")/../shared/mingw}"; do
        if [ -n "$dir" ] && [ -f "$dir/qt6-mingw64.tar.xz" ] && [ -f "$dir/SHA256SUMS" ]; then
            echo "$(cd "$dir" && pwd)"
            return
        fi
    done
}

if [ -n "${QUILVAR_MINGW_PREFIX:-}" ]; then
    prefix=$(realpath -m "$QUILVAR_MINGW_PREFIX")
    is_prefix "$prefix" || {
        echo "windows.sh : QUILVAR_MINGW_PREFIX ($prefix) ne contient pas de Qt pour Windows" \
            "(lib/cmake/Qt6/qt.toolchain.cmake)." >&2
        exit 2
    }
else
    prefix=$out/qt6-mingw64
    shared=$(shared_tarball)
    if [ -n "$shared" ]; then
        sum=$(awk '$2 ~ /qt6-mingw64.tar.xz$/ {print $1}' "$shared/SHA256SUMS")
        if [ "$(cat "$prefix/.sha256" 2>/dev/null)" != "$sum" ]; then
            echo "windows.sh: unpacking $shared/qt6-mingw64.tar.xz"
            echo "$sum  $shared/qt6-mingw64.tar.xz" | sha256sum --quiet -c - || {
                echo "windows.sh : $shared/qt6-mingw64.tar.xz ne correspond pas à sa somme" \
                    "de contrôle (SHA256SUMS)." >&2
                exit 2
            }
            rm -rf "$prefix"
            tar -C "$out" -xJf "$shared/qt6-mingw64.tar.xz"
            echo "$sum" >"$prefix/.sha256"
        fi
    fi
    is_prefix "$prefix" || no_prefix
fi
echo "windows.sh: Qt for Windows in $prefix"
# Qt's French strings where the tests' Qt looks for them, as an installed Qt has them: the same
# file on every platform (Debian's qt6-translations-l10n, which the installer carries too).
if [ ! -f "$prefix/translations/qtbase_fr.qm" ]; then
    mkdir -p "$prefix/translations"
    cp /usr/share/qt6/translations/qtbase_fr.qm "$prefix/translations/"
fi

# --- Cross build ----------------------------------------------------------------------------
# Without debugging information, which the installer would not carry, and at -O2 as on Linux
# (at -O3 GCC 12 warns falsely of overlapping copies inside std::string). The benchmarks time
# Linux programs only.
cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" -DQT_HOST_PATH=/usr \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
    -DQUILVAR_TESTS=ON -DQUILVAR_BENCH=OFF -DQUILVAR_WERROR=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR=wine >/dev/null
cmake --build "$build" -j"$(nproc)"

# --- The suite under Wine -------------------------------------------------------------------
# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
wine_start "$out/locale" "$prefix"
(cd "$build" && ctest --output-on-failure -j"$(nproc)")

# --- Installer and portable zip ------------------------------------------------------------
(cd "$build" && cpack -G "NSIS;ZIP" -B "$out/cpack" >/dev/null)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
for kind in exe zip; do
    cp "$out/cpack/quilvar-$version-win64.$kind" "$out/"
    echo "windows.sh: $out/quilvar-$version-win64.$kind"
done

if [ "${QUILVAR_WINDOWS_E2E:-1}" != 0 ]; then
    scripts/windows-e2e.sh "$out/quilvar-$version-win64.exe"
fi
echo "windows.sh: Windows build, suite under Wine, installer and zip done."
