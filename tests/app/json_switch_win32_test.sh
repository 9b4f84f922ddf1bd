#!/usr/bin/env bash
# `Kavrona.exe /json` for real: its lines valid against docs/kavrona.schema.json
# (python3-jsonschema), every fact the /report record of the same moment shows the same
# in them, a name outside the system's code page taken, `/json -` read from a pipe, and
# a file that cannot be written reported with exit code 2.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$(dirname "$tests_exe")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
windows() { echo "Z:${1//\//\\}"; }
kavrona() { "$root/scripts/wine-run" Kavrona.exe "$@" </dev/null 2>>"$work/wine.log"; }
failed() {
  echo "FAILED: $*"
  exit 1
}

kavrona /report "$(windows "$work/report.txt")" || failed "/report ended with $?"
kavrona /json "$(windows "$work/record.jsonl")" || failed "/json ended with $?"
far="$work/日報 záznam.jsonl"  # not in Windows-1250, which /report would refuse
kavrona /json "$(windows "$far")" || failed "/json into $far ended with $?"
kavrona /json "$(windows "$far")" || failed "/json into $far again ended with $?"
kavrona /json - | cat >"$work/piped.jsonl" || failed "/json - ended with $?"
[ "$(wc -l <"$far")" = 2 ] || failed "two runs left $(wc -l <"$far") line(s) in $far"

python3 "$root/tests/validate_json_lines.py" "$root/docs/kavrona.schema.json" \
  "$work/record.jsonl" "$far" "$work/piped.jsonl"
python3 "$root/tests/app/json_matches_report.py" "$work/report.txt" "$work/record.jsonl"

status=0
"$root/scripts/wine-run" Kavrona.exe /json "$(windows "$work/no such folder/record.jsonl")" \
  </dev/null 2>"$work/refused.txt" || status=$?
[ $status = 2 ] || failed "/json into a missing folder ended with $status, 2 expected"
# Redirected, the program writes in the OEM code page, as a console would.
said=$(grep -av '^wine: ' "$work/refused.txt" | iconv -f cp852 -t utf-8 | tr -d '\r')
[[ $said == "Soubor se nepodařilo uložit. "* ]] || failed "its error stream said: $said"
[ ! -e "$work/no such folder" ] || failed "the missing folder was made"
echo "/json: 4 lines valid, the same facts as /report, a refusal with code 2: $said"
