#!/usr/bin/env bash
# package-e2e.sh [build-dir]: makes the Debian package in the release build (cpack -G DEB) and
# checks it as a user would meet it: lintian reports no error, the desktop entry, the AppStream
# metadata and the manual page are valid; apt-get installs it; the menu entry's command starts
# the installed program on a virtual display and its main window appears; apt-get removes and
# purges it, and none of its files is left. apt-get and dpkg run as root (through sudo if need be).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
title="Calculs pour un panneau trapézoïdal"
desktop_entry=/usr/share/applications/fr.vorlanique.quilvar.desktop
help_document=/usr/share/quilvar/help/aide.html

fail() {
    echo "package-e2e: $*" >&2
    exit 1
}
[ -f "$build/CMakeCache.txt" ] || fail "$build is not a configured build folder"
for tool in cpack lintian desktop-file-validate appstreamcli man xvfb-run xdotool; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done
installed() {
    dpkg-query -W -f='${Status}' quilvar 2>/dev/null | grep -q 'install ok installed'
}
# The test removes the package it installs: it must not take away a Quilvar the user installed.
installed && fail "quilvar is installed on this machine; remove it first (apt-get remove quilvar)"

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
run=$(mktemp -d /tmp/quilvar-package.XXXXXX)
we_installed=
cleanup() {
    if [ -n "$we_installed" ] && installed; then
        "${sudo_cmd[@]}" dpkg --purge quilvar >/dev/null || true
    fi
    rm -rf "$run"
}
trap cleanup EXIT

echo "== package"
# Up to date first: CPack packs what the last build made, with the settings of the last configure.
cmake --build "$build" -j"$(nproc)" >"$run/build.log" 2>&1 || { cat "$run/build.log" >&2; fail "build failed"; }
rm -f "$build"/quilvar_*.deb
# Packed under a strict umask: the package's modes (0755 directories) must not depend on it.
(umask 077 && cd "$build" && cpack -G DEB >"$run/cpack.log" 2>&1) || { cat "$run/cpack.log" >&2; fail "cpack failed"; }
debs=("$build"/quilvar_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "cpack made no single quilvar_*.deb"
fi
deb=${debs[0]}
basename "$deb"
dpkg-deb -f "$deb" Package Version Architecture Depends

echo "== lintian"
lintian --fail-on error "$deb" || fail "lintian reports errors"
# Every user reads what the package installs: directories 0755, files 0644 or 0755, all root's.
odd_modes=$(dpkg-deb -c "$deb" | awk '$2 != "root/root" || ($1 !~ /^d/ && $1 != "-rw-r--r--" &&
    $1 != "-rwxr-xr-x") || ($1 ~ /^d/ && $1 != "drwxr-xr-x")')
[ -z "$odd_modes" ] || fail "modes or owners other than a package's:"$'\n'"$odd_modes"

echo "== desktop entry, metadata, manual page"
dpkg-deb -x "$deb" "$run/tree"
desktop-file-validate "$run/tree$desktop_entry" || fail "desktop entry is not valid"
# validate-tree also checks that the metadata's launchable names an installed desktop entry.
appstreamcli validate-tree --no-net --pedantic "$run/tree" || fail "AppStream metadata is not valid"
man_warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z \
    "$run/tree/usr/share/man/man1/quilvar.1.gz" 2>&1 >/dev/null)
[ -z "$man_warnings" ] || fail "manual page: $man_warnings"
# A plain `cmake --install` puts the same files under its own prefix.
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
DESTDIR=$run/plain cmake --install "$build" >/dev/null || fail "cmake --install failed"
(cd "$run/tree/usr" && find . -type f | sort) >"$run/packaged"
(cd "$run/plain$prefix" && find . -type f | sort) >"$run/plain-installed"
diff -u "$run/packaged" "$run/plain-installed" ||
    fail "cmake --install into $prefix and the package differ (above: - package, + install)"

echo "== install"
we_installed=yes
# Without the recommended xdg-utils (the help button's launcher, stood in for below): what apt
# would bring for it alone would stay behind after the removal.
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "$deb" >"$run/install.log" 2>&1 ||
    { cat "$run/install.log" >&2; fail "apt-get install failed"; }
installed || fail "quilvar is not installed after apt-get install"
dpkg -L quilvar >"$run/files"
[ -x /usr/bin/quilvar ] || fail "/usr/bin/quilvar is missing"
[ "$(man -w quilvar)" = /usr/share/man/man1/quilvar.1.gz ] || fail "man quilvar finds no page"
# Once the sources have the help document, the package has it and the help button opens it.
help_check=
if [ -f "$root/resources/help/aide.html" ]; then
    grep -qx "$help_document" "$run/files" || fail "the package has no $help_document"
    help_check=yes
fi

echo "== start from the menu entry"
command_line=$(sed -n 's/^Exec=//p' "$desktop_entry")
[ -n "$command_line" ] || fail "$desktop_entry has no Exec line"
# The help button hands its document to xdg-open (no desktop session here): this one writes
# down what it was given.
mkdir "$run/bin"
cat >"$run/bin/xdg-open" <<SCRIPT
#!/bin/sh
printf '%s\n' "\$*" >>"$run/opened"
SCRIPT
chmod 755 "$run/bin/xdg-open"
# Runs on the virtual display: starts the command, waits for the main window, presses the help
# button when asked to, then stops the program.
check_window() {
    set -euo pipefail
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
    PATH=$run/bin:$PATH $command_line >"$run/program.log" 2>&1 &
    local pid=$! window=
    for _ in $(seq 150); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && break
        kill -0 "$pid" 2>/dev/null || { cat "$run/program.log" >&2; echo "the program exited" >&2; return 1; }
        sleep 0.2
    done
    [ -n "$window" ] || { echo "no window \"$title\" appeared" >&2; kill "$pid"; return 1; }
    [ "$(xdotool getwindowpid "$window")" = "$pid" ] || { echo "the window is not the program's" >&2; kill "$pid"; return 1; }
    echo "window \"$title\" shown by $(readlink "/proc/$pid/exe")"
    if [ -n "$help_check" ]; then
        # The help button: fifth of the button bar, at 224, 4 (25 x 25).
        xdotool mousemove --window "$window" 236 16 click 1
        for _ in $(seq 50); do [ -s "$run/opened" ] && break; sleep 0.2; done
        local opened
        opened=$(head -n 1 "$run/opened" 2>/dev/null || true)
        opened=${opened#file://}
        opened=${opened%%#*} # the document opens on its contents: the fragment names them
        if [ "$opened" != "$help_document" ] || [ ! -f "$opened" ]; then
            echo "the help button opened \"$opened\", not $help_document" >&2
            kill "$pid"
            return 1
        fi
        echo "help button opened $opened"
    fi
    kill "$pid"
    wait "$pid" 2>/dev/null || true
}
# xvfb-run is a POSIX shell script, which drops exported bash functions: hand over the text.
export command_line title run help_check help_document
xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$(declare -f check_window); check_window" ||
    fail "the installed program failed on the virtual display"

echo "== remove"
"${sudo_cmd[@]}" apt-get remove -y -qq quilvar >"$run/remove.log" 2>&1 ||
    { cat "$run/remove.log" >&2; fail "apt-get remove failed"; }
# With no configuration file left, the removal has forgotten the package already; dpkg purges
# what may remain either way (apt-get no longer finds a package that is in no repository).
"${sudo_cmd[@]}" dpkg --purge quilvar >>"$run/remove.log" 2>&1 ||
    { cat "$run/remove.log" >&2; fail "dpkg --purge failed"; }
we_installed=
dpkg-query -W quilvar >/dev/null 2>&1 && fail "dpkg still knows quilvar after the purge"
# Every file is gone; a directory may stay only when another package owns it too.
left=()
while read -r path; do
    [ "$path" = /. ] && continue
    if [ -d "$path" ] && [ ! -L "$path" ]; then
        dpkg-query -S "$path" >/dev/null 2>&1 || left+=("$path")
    elif [ -e "$path" ] || [ -L "$path" ]; then
        left+=("$path")
    fi
done <"$run/files"
[ ${#left[@]} -eq 0 ] || fail "left behind after removal: ${left[*]}"
echo "package-e2e: $(basename "$deb") installed, started and removed without a trace"
