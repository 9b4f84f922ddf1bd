#!/usr/bin/env bash
# A WMI service that hangs: a locator whose ConnectServer never returns
# (platform/stuck_wmi_dll.c) in the system folder in place of Wine's, loaded instead of
# it (wbemprox=n). /report and /json, run at once, each end with 0 once the connection's
# 30 s are spent, and say why the processors are missing; the window's report waits
# no longer than its patience.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"
build=$(cd "$(dirname "$tests_exe")/.." && pwd)
cd "$build"
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"

# The system folder the build's programs see: WoW64's for the 32-bit build.
folder=system32
[ "$(od -An -tx2 -N2 -j$(($(od -An -tu4 -N4 -j60 Kavrona.exe) + 4)) Kavrona.exe | tr -d ' ')" = 014c ] &&
  folder=syswow64
wine_dll="$WINEPREFIX/drive_c/windows/$folder/wbem/wbemprox.dll"
work=$(mktemp -d)
cp "$wine_dll" "$work/wbemprox.wine"
trap 'cp "$work/wbemprox.wine" "$wine_dll"; rm -rf "$work"' EXIT
cp "$build/tests/kavrona-stuck-wmi.dll" "$wine_dll"
export WINEDLLOVERRIDES="mscoree,mshtml=;wbemprox=n"

failed() {
  echo "FAILED: $*"
  exit 1
}
windows() { echo "Z:${1//\//\\}"; }
timed() {  # name, then the arguments: runs Kavrona.exe, keeps its exit code and seconds
  local name=$1 start status=0
  shift
  start=$(date +%s%N)
  timeout 120 "$root/scripts/wine-run" Kavrona.exe "$@" </dev/null 2>"$work/$name.err" || status=$?
  echo "$status $(( ($(date +%s%N) - start) / 1000000 ))" >"$work/$name.ran"
}
timed report /report "$(windows "$work/report.txt")" &
timed json /json "$(windows "$work/record.jsonl")" &
wait

said="WMI neodpověděla do 30 s."
for name in report json; do
  read -r status ms <"$work/$name.ran"
  [ "$status" = 0 ] || failed "/$name ended with $status after $ms ms"
  (( ms >= 30000 && ms < 45000 )) || failed "/$name took $ms ms; 30 s and its end expected"
  echo "/$name: exit code 0 after $ms ms"
done
iconv -f cp1250 -t utf-8 "$work/report.txt" >"$work/report.utf8"
grep -q "^Informace se nepodařilo zjistit. Nastala chyba: $said" "$work/report.utf8" ||
  failed "the record does not say why the processors are missing"
! grep -q "^Procesor: " "$work/report.utf8" || failed "the record has a processor section"
# Redirected, the program writes in the OEM code page, as a console would.
grep -av '^wine: ' "$work/report.err" | iconv -f cp852 -t utf-8 | grep -q "Nastala chyba: $said" ||
  failed "/report's error stream: $(cat "$work/report.err")"
python3 "$root/tests/validate_json_lines.py" "$root/docs/kavrona.schema.json" "$work/record.jsonl"
python3 - "$work/record.jsonl" "$said" <<'PY'
import json, sys
record = json.loads(open(sys.argv[1], encoding="utf-8").read())
assert record["processors"] is None and record["processorsError"] == sys.argv[2], record
PY

expect_cases 1 "$root/scripts/wine-run" "$tests_exe" \
  --gtest_filter=StuckWmiByScript.TheWindowsReportWaitsOnlyItsPatience </dev/null
