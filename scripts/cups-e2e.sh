#!/usr/bin/env bash
# cups-e2e.sh <build-dir>: runs the printing end-to-end test against a real CUPS scheduler of its
# own (private socket, spool and logs, so a system scheduler is neither needed nor touched) with a
# cups-pdf queue as the default printer, then again with no default printer. The queue writes each
# job as a PDF into a folder of this run, which the test reads back.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build/release}" && pwd)
test_program=$build/tests/app_tst_printe2e
[ -x "$test_program" ] || { echo "cups-e2e: $test_program is not built" >&2; exit 1; }

if [ "$(id -u)" -ne 0 ]; then
    # cupsd, its backends and /etc/cups (cups-pdf reads its settings there) need root.
    exec sudo --preserve-env=PATH "$0" "$build"
fi
for tool in cupsd lpadmin lpstat pdftotext pdfimages pdfinfo; do
    command -v "$tool" >/dev/null || { echo "cups-e2e: $tool is missing" >&2; exit 1; }
done

run=$(mktemp -d /tmp/quilvar-cups.XXXXXX)
chmod 755 "$run"
instance=quilvar$$
other=quilvar$$autre
pdf_conf=/etc/cups/cups-pdf-$instance.conf
other_conf=/etc/cups/cups-pdf-$other.conf
mkdir -p "$run"/{etc/ppd,etc/ssl,spool/tmp,cache,state,log,out,out-autre,home}
chmod 1777 "$run/out" "$run/out-autre"

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
PreserveJobHistory Yes
MaxJobs 0
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
# Each queue's own cups-pdf settings: its jobs land in a folder of this run, named by title.
pdf_settings() {
    cat <<CONF
Out $1
AnonDirName $1
Label 0
TitlePref 1
Grp root
LogType 3
Log $run/log
CONF
}
pdf_settings "$run/out" >"$pdf_conf"
pdf_settings "$run/out-autre" >"$other_conf"

cupsd -f -c "$run/etc/cupsd.conf" -s "$run/etc/cups-files.conf" &
cupsd_pid=$!
cleanup() {
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
    rm -f "$pdf_conf" "$other_conf"
    if [ -n "${QUILVAR_KEEP_CUPS_RUN:-}" ]; then
        echo "cups-e2e: run kept in $run"
    else
        rm -rf "$run"
    fi
}
trap cleanup EXIT

export CUPS_SERVER=$run/cups.sock
export HOME=$run/home # no personal lpoptions choose another default
unset PRINTER LPDEST
for _ in $(seq 100); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    kill -0 "$cupsd_pid" 2>/dev/null || { cat "$run/log/error_log" >&2 || true; exit 1; }
    sleep 0.2
done
lpstat -r | grep 'is running' || { echo "cups-e2e: cupsd did not start" >&2; exit 1; }

# pdftocairo keeps the texts readable through the queue's PostScript step (Ghostscript's turns
# them into unnamed glyphs), so the test can read the printed texts back.
add_queue() {
    lpadmin -p "$1" -v "cups-pdf:/$2" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E \
        -o pdftops-renderer-default=pdftocairo
}
add_queue PDF "$instance"
add_queue Autre "$other" # the test makes it the default half-way; its folder must stay empty
lpadmin -d PDF
lpstat -d

export QUILVAR_CUPS_E2E=$run QT_QPA_PLATFORM=offscreen
QUILVAR_CUPS_E2E_MODE=default "$test_program"

# No default destination: queues exist, but none is the default.
lpadmin -x PDF
lpadmin -x Autre
add_queue Autre "$instance"
lpstat -d
QUILVAR_CUPS_E2E_MODE=nodefault "$test_program"
