#!/usr/bin/env bash
# Printing through Wine on a real default printer: a cups-pdf queue, whose PDFs are
# read back with pdftotext. Leaves CUPS as it found it: the queue removed, the old
# default back, and cupsd stopped when this script started it.
set -euo pipefail
tests_exe=$1
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/expect_cases.sh"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
for tool in /usr/sbin/cupsd lpadmin lpstat pdftotext pdfinfo; do
  command -v "$tool" >/dev/null || { echo "FAILED: $tool missing; scripts/setup.sh installs it"; exit 1; }
done
[ -f "$ppd" ] || { echo "FAILED: no cups-pdf PPD; scripts/setup.sh installs printer-driver-cups-pdf"; exit 1; }

queue=kavrona-test-$$
pdf_dir=$HOME/PDF
work=$(mktemp -d)
cupsd_pid=""
old_default=""
made_pdf_dir=""
[ -d "$pdf_dir" ] || made_pdf_dir=yes
printed=()  # the PDFs this script caused

cleanup() {
  set +e
  cancel -a "$queue" 2>/dev/null
  lpadmin -x "$queue" 2>/dev/null
  [ -n "$old_default" ] && lpadmin -d "$old_default"
  if [ -n "$cupsd_pid" ]; then
    kill "$cupsd_pid"
    wait "$cupsd_pid" 2>/dev/null
  fi
  rm -f "${printed[@]}"
  [ -n "$made_pdf_dir" ] && rmdir "$pdf_dir" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  /usr/sbin/cupsd -f &
  cupsd_pid=$!
  for _ in $(seq 100); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.1; done
  if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
    not_run "ReportGoesToTheQueue: no CUPS runs and cupsd did not start within 10 s; starting it needs root"
    end_wrapper
  fi
fi
old_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
if ! why=$(lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>&1); then
  not_run "ReportGoesToTheQueue: adding a cups-pdf queue failed ($why); needs CUPS admin rights"
  end_wrapper
fi
lpadmin -d "$queue" || { echo "FAILED: lpadmin -d $queue"; exit 1; }
mkdir -p "$pdf_dir"

run() {  # the gtest case, with the report in a file
  expect_cases 1 env KAVRONA_PRINT_REPORT="Z:${2//\//\\}" "$root/scripts/wine-run" "$tests_exe" \
    --gtest_filter="PrintingByScript.$1" </dev/null
}

# The PDF that cups-pdf writes for the job, once the queue is done with it. Job
# numbers start again with a fresh cupsd, so a name may come back: go by the time.
new_pdf() {
  local pdf
  for _ in $(seq 300); do
    pdf=$(find "$pdf_dir" -maxdepth 1 -name '*.pdf' -newer "$work/marker" 2>/dev/null | head -1)
    if [ -n "$pdf" ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ]; then
      printed+=("$pdf")
      return 0
    fi
    sleep 0.1
  done
  echo "no PDF arrived in $pdf_dir within 30 s" >&2
  return 1
}

# Text as a PDF's text layer may give it, made comparable: what a font maps the
# hyphen-minus to (a soft or a non-breaking hyphen), non-breaking spaces and ligatures
# become the plain letters the page shows; then one word a line, so that where lines
# wrap and pages break does not count.
plain_words() {
  LC_ALL=C sed -e 's/\xc2\xad/-/g; s/\xe2\x80\x90/-/g; s/\xe2\x80\x91/-/g; s/\xc2\xa0/ /g' \
    -e 's/\xef\xac\x80/ff/g; s/\xef\xac\x81/fi/g; s/\xef\xac\x82/fl/g; s/\xef\xac\x83/ffi/g; s/\xef\xac\x84/ffl/g' |
    tr -s ' \n\f\t' '\n\n\n\n' | sed '/^$/d'
}

# The PDF's text is the report's, word for word in order: nothing missing, nothing
# extra, nothing moved; only where a line wraps is the font's to decide.
prints_exactly() {
  local pdf=$1 report=$2
  pdftotext "$pdf" - | plain_words >"$work/printed.words"
  plain_words <"$report" >"$work/report.words"
  if ! diff -u "$work/report.words" "$work/printed.words" >"$work/words.diff"; then
    echo "$pdf does not hold the report's text word for word (report -, printed +):"
    head -20 "$work/words.diff"
    return 1
  fi
}

cat >"$work/short.txt" <<'REPORT'
Computer Name: KAVRONA-PC
User Name: Jiří Žlutý
Logon Server: \\KAVRONA-PC

Verze Windows: Windows XP - Service Pack 3
Disk C:\  typ: pevný disk, jmenovka: SYSTÉM, volné místo: 12 345 678 bajtů
Dlouhý řádek, který se na šířku stránky nevejde, a proto se musí zalomit u slova: jedna dva tři čtyři pět šest sedm osm devět deset jedenáct dvanáct třináct čtrnáct patnáct šestnáct.
REPORT
touch "$work/marker"
run ReportGoesToTheQueue "$work/short.txt"
new_pdf
prints_exactly "${printed[-1]}" "$work/short.txt"
echo "short report: printed word for word"

for i in $(seq -w 1 200); do echo "Řádek $i: žluťoučký kůň úpěl ďábelské ódy"; done >"$work/long.txt"
touch "$work/marker"
run ReportGoesToTheQueue "$work/long.txt"
new_pdf
prints_exactly "${printed[-1]}" "$work/long.txt"
pages=$(pdfinfo "${printed[-1]}" | sed -n 's/^Pages: *//p')
[ "$pages" -gt 1 ] || { echo "200 lines on $pages page(s)"; exit 1; }
echo "200 lines: printed word for word, on $pages pages"

# The print question of the real program stands alone: no window of it takes input.
# And the program reaches it on loaders that know no search flags, with winspool from
# the system folder.
program_dir=$(dirname "$tests_exe")
[ -f "$program_dir/Kavrona.exe" ] || program_dir=$(dirname "$program_dir")
(cd "$program_dir" && expect_cases 3 "$root/scripts/wine-run" "$tests_exe" \
  --gtest_filter='ModalBoxesByScript.*:*OldLoaderByScript.*' </dev/null)
[ -z "$(lpstat -o "$queue" 2>/dev/null)" ] || { echo "a cancelled print left a job"; exit 1; }
echo "print question: the program waited for it, and nothing was printed"
