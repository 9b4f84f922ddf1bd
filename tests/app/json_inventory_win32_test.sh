#!/usr/bin/env bash
# The inventory of `Kavrona.exe /json` for real: a record valid against the schema whose
# every WMI value is what Wine's own wmic says, whose CurrentVersion values are what
# `reg query` says, and which lists the uninstall entries planted in each registry view
# and leaves out a hidden system component and a child entry, as Programs and Features
# does.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$(dirname "$tests_exe")/.."

work=$(mktemp -d)
uninstall='Software\Microsoft\Windows\CurrentVersion\Uninstall'
wine() { "$root/scripts/wine-run" "$@" </dev/null >>"$work/wine.log" 2>&1; }
# view, root, reg's view switch, key name, shown, extra value (name type data)
plants=(
  "machine64 HKLM /reg:64 KavronaZk64 1"
  "machine32 HKLM /reg:32 KavronaZk32 1"
  "user HKCU /reg:64 KavronaZkUser 1"
  "machine64 HKLM /reg:64 KavronaZkSystem 0 SystemComponent REG_DWORD 1"
  "machine64 HKLM /reg:64 KavronaZkChild 0 ParentKeyName REG_SZ KavronaZk64"
)
unplant() {
  for plant in "${plants[@]}"; do
    read -r _ hive view name _ <<<"$plant"
    wine reg delete "$hive\\$uninstall\\$name" /f "$view" || true
  done
  rm -rf "$work"
}
trap unplant EXIT
failed() {
  echo "FAILED: $*"
  exit 1
}

for plant in "${plants[@]}"; do
  read -r label hive view name shown extra type data <<<"$plant"
  key="$hive\\$uninstall\\$name"
  wine reg add "$key" /v DisplayName /d "Kavrona zkouška $name" /f "$view"
  wine reg add "$key" /v DisplayVersion /d 1.2.3 /f "$view"
  wine reg add "$key" /v Publisher /d "Dřevo s.r.o." /f "$view"
  [ -n "${extra:-}" ] && wine reg add "$key" /v "$extra" /t "$type" /d "$data" /f "$view"
  echo "$label $name $shown" >>"$work/planted.txt"
done

"$root/scripts/wine-run" Kavrona.exe /json "Z:${work//\//\\}\\record.jsonl" </dev/null \
  2>>"$work/wine.log" || failed "/json ended with $?"
python3 "$root/tests/validate_json_lines.py" "$root/docs/kavrona.schema.json" "$work/record.jsonl"
python3 "$root/tests/app/json_matches_wmic.py" "$root/scripts/wine-run" "$work/record.jsonl" \
  "$work/planted.txt" || failed "the record differs from wmic and reg (above)"
echo "/json inventory: valid, the same as wmic and reg query, $(wc -l <"$work/planted.txt") planted entries found or left out"
