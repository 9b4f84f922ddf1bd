#!/usr/bin/env bash
# Printer faults on a CUPS of this script's own (its own cupsd, socket and queue), so
# that the machine's CUPS is left alone and stopping cupsd stops only this one:
# a queue that refuses jobs, a disabled queue, no printer at all, cupsd stopped
# before the program starts and while it asks whether to print.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in /usr/sbin/cupsd lpadmin lpstat cupsreject cupsdisable cancel timeout; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool missing; scripts/setup.sh installs it"; exit 1; }
done
[ -f "$ppd" ] || { echo "FAILED: no cups-pdf PPD; scripts/setup.sh installs printer-driver-cups-pdf"; exit 1; }

work=$(mktemp -d)
cupsd_pid=""
stop_cupsd() {
  [ -n "$cupsd_pid" ] || return 0
  kill "$cupsd_pid"
  wait "$cupsd_pid" 2>/dev/null || true
  cupsd_pid=""
}
cleanup() {
  set +e
  stop_cupsd
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work"/{spool,cache,state,log,tmp}
cat >"$work/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$work/cups-files.conf" <<CONF
ServerRoot $work
RequestRoot $work/spool
CacheDir $work/cache
StateDir $work/state
TempDir $work/tmp
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
FileDevice Yes
CONF
export CUPS_SERVER=$work/cups.sock
start_cupsd() {
  /usr/sbin/cupsd -c "$work/cupsd.conf" -s "$work/cups-files.conf" -f &
  cupsd_pid=$!
  for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && return 0; sleep 0.1; done
  echo "a cupsd of our own did not start within 10 s; its log:"
  cat "$work/log/error_log" 2>/dev/null
  not_run "PrinterFaultsByScript.*: a cupsd of the test's own did not start (see its log above)"
  end_wrapper
}
start_cupsd
queue=kavrona-fault-$$
lpadmin -p "$queue" -v file:/dev/null -P "$ppd" -E 2>/dev/null || { echo "FAILED: lpadmin -p $queue"; exit 1; }
lpadmin -d "$queue" || { echo "FAILED: lpadmin -d $queue"; exit 1; }

run() {  # the gtest case, with a time limit well above what it may take
  expect_cases 1 env KAVRONA_PRINTER_FAULT=1 timeout $((90 * ${KAVRONA_TIME_SCALE:-1})) "$root/scripts/wine-run" "$tests_exe" \
    --gtest_filter="PrinterFaultsByScript.$1" </dev/null
}

cupsreject "$queue"
run QueueRefusesJobs
cupsaccept "$queue"

cupsdisable "$queue"
run DisabledQueueHoldsTheJob
[ -n "$(lpstat -o "$queue")" ] || { echo "the disabled queue holds no job"; exit 1; }
echo "disabled queue: the job waits in it"
cancel -a "$queue"
cupsenable "$queue"

CUPS_SERVER="$work/nothing-listens.sock" run NoDefaultPrinter

stop_cupsd
run CupsStoppedBeforeTheProgram
start_cupsd

asking=$work/asking
KAVRONA_PRINTER_ASKING="Z:${asking//\//\\}" run CupsStoppedWhileAsking &
test_pid=$!
for _ in $(seq 300); do [ -e "$asking" ] && break; sleep 0.1; done
[ -e "$asking" ] || { echo "the question never came"; wait "$test_pid"; exit 1; }
stop_cupsd
rm -f "$asking"
wait "$test_pid"
