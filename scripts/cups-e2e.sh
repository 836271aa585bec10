#!/usr/bin/env bash
# cups-e2e.sh <build-dir>: runs the printing end-to-end test against a real CUPS scheduler of its
# own (private socket, spool and logs, so a system scheduler is neither needed nor touched) with a
# cups-pdf queue as the default printer, then again with no default printer. The queue writes each
# job as a PDF into a folder of this run, which the test reads back. The test brings about the
# printing faults itself through "$run/control" (stop or start this run's scheduler, pause it
# with SIGSTOP and resume it, remove or restore the queue, give it a backend that refuses every
# job or its own back).
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
refusing=${instance}refus
refusing_conf=/etc/cups/cups-pdf-$refusing.conf
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
# A backend that cannot write its output: it cancels every job it is given.
touch "$run/no-folder"
pdf_settings "$run/no-folder/out" >"$refusing_conf"

# The scheduler's pid is kept in a file: the test stops and starts it through the control script.
cat >"$run/control" <<CONTROL
#!/usr/bin/env bash
set -euo pipefail
export CUPS_SERVER=$run/cups.sock
add_queue() {
    lpadmin -p "\$1" -v "cups-pdf:/\$2" -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E \\
        -o pdftops-renderer-default=pdftocairo 2>/dev/null
}
case "\$1" in
start)
    cupsd -f -c "$run/etc/cupsd.conf" -s "$run/etc/cups-files.conf" </dev/null >/dev/null 2>&1 &
    echo \$! >"$run/cupsd.pid"
    for _ in \$(seq 100); do
        lpstat -r 2>/dev/null | grep -q 'is running' && exit 0
        kill -0 "\$(cat "$run/cupsd.pid")" 2>/dev/null || break
        sleep 0.2
    done
    echo "cups-e2e: cupsd did not start" >&2
    cat "$run/log/error_log" >&2 || true
    exit 1 ;;
stop)
    pid=\$(cat "$run/cupsd.pid")
    kill "\$pid" 2>/dev/null || true
    kill -CONT "\$pid" 2>/dev/null || true # a paused scheduler takes its signal once it runs
    # Gone, or a zombie where nothing reaps the orphan.
    for _ in \$(seq 100); do
        kill -0 "\$pid" 2>/dev/null || break
        [ "\$(awk '{print \$3}' "/proc/\$pid/stat" 2>/dev/null)" = Z ] && break
        sleep 0.1
    done ;;
pause) kill -STOP "\$(cat "$run/cupsd.pid")" ;;
resume) kill -CONT "\$(cat "$run/cupsd.pid")" ;;
remove) lpadmin -x "\$2" ;;
restore) add_queue "\$2" "$instance" ;;
break) lpadmin -p "\$2" -v "cups-pdf:/$refusing" ;;
mend) lpadmin -p "\$2" -v "cups-pdf:/$instance" ;;
*) echo "control: start | stop | pause | resume | remove Q | restore Q | break Q | mend Q" >&2
   exit 2 ;;
esac
CONTROL
chmod 755 "$run/control"

cleanup() {
    if [ -f "$run/cupsd.pid" ]; then
        "$run/control" stop || true
    fi
    rm -f "$pdf_conf" "$other_conf" "$refusing_conf"
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
"$run/control" start
lpstat -r

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
