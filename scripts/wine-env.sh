# wine-env.sh, sourced: `wine_start <locale-folder> [qt-prefix]` readies Wine for Windows programs
# and stops it all with `wine_stop`, which it sets to run when the calling script exits:
# - a Wine prefix of its own in a temporary folder (about 20 s to create), its server kept up
#   between programs (`wineserver -p`: each program then starts in well under a second);
# - French regional settings: Wine follows LANG only where glibc has that locale, so it is
#   compiled once into <locale-folder> (LOCPATH);
# - a virtual display of its own (Xvfb) with a window manager: the tests run on Qt's Windows
#   platform, whose windows Wine draws on X;
# - the desktop process started once, up front (see below);
# - with a Qt prefix, the DLLs that programs of the build tree need, found through WINEPATH: Qt's
#   and libjpeg's in the prefix, the MinGW runtime's from the cross compiler. An installed program
#   has them beside it.
wine_start() {
    local locales=$1 qt_prefix=${2:-}
    wine_run=$(mktemp -d /tmp/quilvar-wine.XXXXXX)
    trap wine_stop EXIT
    export WINEPREFIX=$wine_run/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    if [ ! -f "$locales/fr_FR.UTF-8/LC_NUMERIC" ]; then
        mkdir -p "$locales"
        # It warns of nothing that matters here, and then exits with 1.
        localedef -i fr_FR -f UTF-8 "$locales/fr_FR.UTF-8" >/dev/null 2>&1 || true
        [ -f "$locales/fr_FR.UTF-8/LC_NUMERIC" ] || {
            echo "wine-env: the French locale could not be compiled" >&2
            return 1
        }
    fi
    export LOCPATH=$locales LANG=fr_FR.UTF-8 LC_ALL=fr_FR.UTF-8

    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$wine_run/display" \
        >/dev/null 2>&1 &
    wine_xvfb=$!
    for _ in $(seq 100); do
        [ -s "$wine_run/display" ] && break
        sleep 0.1
    done
    export DISPLAY=:$(cat "$wine_run/display")

    # Without a window manager Wine waits two seconds, each time a window hides, for a withdrawal
    # that nobody makes: the message-box test took 35 s without one, 1.4 s with.
    openbox </dev/null >/dev/null 2>&1 &
    wine_wm=$!

    mkdir -p "$WINEPREFIX"
    wineserver -p
    wineboot -i >/dev/null 2>&1
    # Wine starts its desktop process (explorer) for the first program that needs it, and that
    # process inherits the program's output: ctest, reading a test's output to its end, then
    # waits for the desktop to exit, about a second after the last Wine program ends (the first
    # test of a suite run with -j2 took the whole run, 41 s). Started here once, its output going
    # nowhere, it serves every program until wine_stop.
    wine explorer.exe /desktop </dev/null >/dev/null 2>&1 &
    [ -n "$qt_prefix" ] || return 0
    local dll_dirs=("$qt_prefix/bin") file dirs
    for file in libstdc++-6.dll libwinpthread-1.dll; do
        dll_dirs+=("$(realpath "$(x86_64-w64-mingw32-g++-posix -print-file-name=$file)" | xargs dirname)")
    done
    dirs=$(printf 'Z:%s;' "${dll_dirs[@]}")
    export WINEPATH=${dirs//\//\\}
}

wine_stop() {
    wineserver -k 2>/dev/null || true
    [ -n "${wine_wm:-}" ] && kill "$wine_wm" 2>/dev/null || true
    [ -n "${wine_xvfb:-}" ] && kill "$wine_xvfb" 2>/dev/null || true
    rm -rf "$wine_run"
}
