#!/usr/bin/env bash
# windows-e2e.sh <installer.exe>: the Windows installer's round trip under Wine, on a virtual
# display with a window manager, as a user would make it:
#   installs it silently (/S) and finds the program, its Start-menu entry and its uninstaller
#   registered with Windows; starts the installed program (with the DLLs it carries alone) and
#   sees its main window; opens the cutting list (Ctrl+L); prints the window (Ctrl+P, Oui) on a
#   CUPS PDF queue of its own, which Wine shows as the default Windows printer, and finds the
#   PDF; closes the program; uninstalls silently and finds nothing of it left.
# Screenshots of the main window and the cutting list stay in build/windows/e2e/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
installer=$(realpath "${1:?usage: windows-e2e.sh <installer.exe>}")
shots=$root/build/windows/e2e

if [ "$(id -u)" -ne 0 ]; then
    # cupsd, its backends and /etc/cups (cups-pdf reads its settings there) need root.
    exec sudo --preserve-env=PATH "$0" "$installer"
fi
fail() {
    echo "windows-e2e: $*" >&2
    exit 1
}
for tool in cupsd lpadmin lpstat pdfinfo wine xdotool openbox import; do
    command -v "$tool" >/dev/null || fail "$tool is missing"
done

# --- A CUPS scheduler of this run's own, with a cups-pdf queue as its default ---------------
run=$(mktemp -d /tmp/quilvar-wine-e2e.XXXXXX)
chmod 755 "$run"
instance=quilvarwin$$
pdf_conf=/etc/cups/cups-pdf-$instance.conf
mkdir -p "$run"/{etc/ppd,etc/ssl,spool/tmp,cache,state,log,out} "$shots"
chmod 1777 "$run/out"
cat >"$run/etc/cups-files.conf" <<CONF
ServerRoot $run/etc
RequestRoot $run/spool
TempDir $run/spool/tmp
CacheDir $run/cache
StateDir $run/state
ErrorLog $run/log/error_log
AccessLog $run/log/access_log
PageLog $run/log/page_log
Printcap $run/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root lpadmin
FileDevice No
CONF
cat >"$run/etc/cupsd.conf" <<CONF
Listen $run/cups.sock
LogLevel info
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$pdf_conf" <<CONF
Out $run/out
AnonDirName $run/out
Label 0
TitlePref 1
Grp root
LogType 3
Log $run/log
CONF

# shellcheck source=scripts/wine-env.sh
source "$root/scripts/wine-env.sh"
cleanup() {
    wine_stop
    # The scheduler writes its cache as it stops: its folders go once it has.
    if [ -n "${cupsd_pid:-}" ]; then
        kill "$cupsd_pid" 2>/dev/null || true
        wait "$cupsd_pid" 2>/dev/null || true
    fi
    rm -f "$pdf_conf"
    rm -rf "$run"
}

export CUPS_SERVER=$run/cups.sock HOME=$run/home
unset PRINTER LPDEST
mkdir -p "$HOME"
cupsd -f -c "$run/etc/cupsd.conf" -s "$run/etc/cups-files.conf" </dev/null >/dev/null 2>&1 &
cupsd_pid=$!
trap cleanup EXIT
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
done
lpadmin -p QuilvarPDF -v "cups-pdf:/$instance" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E
lpadmin -d QuilvarPDF

# --- Wine, after the scheduler: it lists CUPS's queues as Windows printers ------------------
echo "== Wine prefix"
wine_start "$root/build/windows/locale"
trap cleanup EXIT
drive_c=$WINEPREFIX/drive_c
program_dir="$drive_c/Program Files/Quilvar"
snapshot() {
    (cd "$drive_c" && find . -path ./windows -prune -o -path './users/*/Temp' -prune -o \
        -path './users/*/AppData/Local/Temp' -prune -o -print | sort)
}
snapshot >"$run/before"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quilvar'
registered() {
    wine reg query "$uninstall_key" /reg:64 >/dev/null 2>&1 ||
        wine reg query "$uninstall_key" /reg:32 >/dev/null 2>&1
}

echo "== install: $(basename "$installer") /S"
wine "$installer" /S
[ -f "$program_dir/bin/quilvar.exe" ] || fail "no Program Files\\Quilvar\\bin\\quilvar.exe"
[ -f "$program_dir/plugins/platforms/qwindows.dll" ] || fail "no platform plugin installed"
menu=$(find "$drive_c" -path '*Start Menu/Programs/Quilvar/Quilvar.lnk' | head -n 1)
[ -n "$menu" ] || fail "no Start-menu entry"
registered || fail "no uninstaller registered under $uninstall_key"
echo "installed: $(cd "$program_dir" && find . -type f | wc -l) files, Start menu, uninstaller"

echo "== start the installed program"
title='Calculs pour un panneau trapézoïdal'
# The DLLs it needs are the ones beside it: none comes from the build.
(cd "$program_dir/bin" && WINEPATH= wine 'C:\Program Files\Quilvar\bin\quilvar.exe' \
    >"$run/program.log" 2>&1) &
program=$!
wait_window() {
    local name=$1 window=
    for _ in $(seq 150); do
        window=$(xdotool search --onlyvisible --name "^$name\$" 2>/dev/null | head -n 1 || true)
        [ -n "$window" ] && { echo "$window"; return 0; }
        kill -0 "$program" 2>/dev/null || { cat "$run/program.log" >&2; fail "the program exited"; }
        sleep 0.2
    done
    fail "no window \"$name\" appeared"
}
main=$(wait_window "$title")
sleep 1
import -window root "$shots/main.png"
echo "main window \"$title\" shown"

echo "== the cutting list (Ctrl+L)"
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+l
debit=$(wait_window 'Fiche de débit')
sleep 1
import -window root "$shots/debit.png"
# No key of the list's own closes it (Escape does nothing there): the desktop's Alt+F4 does.
xdotool windowactivate --sync "$debit" key --clearmodifiers alt+F4
closed=
for _ in $(seq 50); do
    xdotool search --onlyvisible --name '^Fiche de débit$' >/dev/null 2>&1 || { closed=1; break; }
    sleep 0.2
done
[ -n "$closed" ] || fail "Alt+F4 did not close the cutting list"
echo "cutting list shown and closed (Alt+F4)"

echo "== print the window (Ctrl+P, Oui) on QuilvarPDF"
xdotool windowactivate --sync "$main" key --clearmodifiers ctrl+p
box=$(wait_window 'Information')
xdotool windowactivate --sync "$box" key --clearmodifiers alt+o
pdf=
for _ in $(seq 300); do
    pdf=$(find "$run/out" -name '*.pdf' -size +0 | head -n 1)
    [ -n "$pdf" ] && break
    sleep 0.2
done
[ -n "$pdf" ] || { cat "$run/log/error_log" >&2; fail "no PDF came out of the queue"; }
sleep 1 # cups-pdf writes it whole, then the test reads it
pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 1 ] || fail "the PDF has no page"
cp "$pdf" "$shots/window.pdf"
echo "printed: $(basename "$pdf"), $pages page(s)"

echo "== close the program"
xdotool windowactivate --sync "$main" key --clearmodifiers alt+F4
for _ in $(seq 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$program" 2>/dev/null && fail "the program did not exit when its window was closed"

echo "== uninstall /S"
# The uninstaller copies itself out of the folder it removes and runs from there.
wine 'C:\Program Files\Quilvar\Uninstall.exe' /S
for _ in $(seq 150); do
    [ -e "$program_dir" ] || break
    sleep 0.2
done
registered && fail "the uninstaller is still registered"
snapshot >"$run/after"
left=$(comm -13 "$run/before" "$run/after")
[ -z "$left" ] || fail "left behind after uninstalling: $left"
echo "windows-e2e: installed, started, cutting list opened, window printed to PDF, uninstalled" \
    "without a trace"
