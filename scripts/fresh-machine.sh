#!/usr/bin/env bash
# Proves the README's two commands on a bare machine: a minimal Debian 12 root made
# with debootstrap (cached as a tarball under build/), this machine's apt sources and
# name server, a clean clone of HEAD with ../shared beside it, read-only. In a chroot
# with a bare environment it runs the test command, then the run command without a
# display, which must print a complete report. Too slow for CI; run it after any
# change to the scripts, the setup or the build. Needs root.
#
#   --recommends      Wine installed first as `apt-get install wine` does by default,
#                     with its recommended packages (fonts-liberation among them),
#                     and fonts-liberation2
#   --no-i386-index   no package index for i386 can be read: the 32-bit half of Wine
#                     cannot be installed, and the 32-bit suite must show as not run
set -euo pipefail
source "$(dirname "$0")/common.sh"
cd "$root"

recommends=no
no_i386_index=no
for option in "$@"; do
  case "$option" in
    --recommends) recommends=yes ;;
    --no-i386-index) no_i386_index=yes ;;
    *) fail "unknown option $option (see the head of $0)" ;;
  esac
done
[ "$(id -u)" -eq 0 ] || fail "needs root: debootstrap, mounts and chroot"
command -v debootstrap >/dev/null ||
  { apt-get install -y -qq debootstrap >/dev/null 2>&1 || fail "apt-get install debootstrap"; }
shared=$(cd "$root/.." && pwd)/shared
[ -d "$shared" ] || fail "no ../shared beside the checkout"

work=$root/build/fresh-machine
tarball=$work/bookworm-minbase.tar
mkdir -p "$work"

# The package mirror: this machine's Debian source for bookworm itself.
mirror() {
  local uri
  uri=$(awk '/^URIs:/ {u=$2} /^Suites:/ && / bookworm( |$)/ {print u; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null)
  [ -n "$uri" ] || uri=$(awk '$1 == "deb" && $3 == "bookworm" {print $2; exit}' /etc/apt/sources.list 2>/dev/null)
  [ -n "$uri" ] || fail "no bookworm source in /etc/apt/sources.list.d/*.sources or /etc/apt/sources.list"
  echo "$uri"
}

if [ ! -f "$tarball" ]; then
  url=$(mirror)
  echo "fresh-machine: debootstrap --variant=minbase bookworm from $url"
  rm -rf "$work/bootstrap"
  quietly "debootstrap" debootstrap --variant=minbase bookworm "$work/bootstrap" "$url" ||
    fail "debootstrap (output above; its log is $work/bootstrap/debootstrap/debootstrap.log)"
  tar -C "$work/bootstrap" -cf "$tarball.part" . || fail "packing the root into $tarball"
  mv "$tarball.part" "$tarball"
  rm -rf "$work/bootstrap"
fi

fresh=$work/root
rm -rf "$fresh"
mkdir -p "$fresh"
tar -C "$fresh" -xf "$tarball"
rm -f "$fresh/etc/apt/sources.list" "$fresh"/etc/apt/sources.list.d/*
[ -f /etc/apt/sources.list ] && cp /etc/apt/sources.list "$fresh/etc/apt/"
cp /etc/apt/sources.list.d/*.sources "$fresh/etc/apt/sources.list.d/" 2>/dev/null || true
cp -r /etc/apt/apt.conf.d/. "$fresh/etc/apt/apt.conf.d/"
cp -L /etc/resolv.conf "$fresh/etc/resolv.conf"
if [ $no_i386_index = yes ]; then
  # The machine's sources give amd64 only, and the one source that would give i386
  # does not answer.
  for sources in "$fresh"/etc/apt/sources.list.d/*.sources; do
    awk '/^Types:/ && NR > 1 {print "Architectures: amd64\n"} /^$/ {next} {print} END {print "Architectures: amd64"}' \
      "$sources" >"$sources.new" && mv "$sources.new" "$sources"
  done
  [ -f "$fresh/etc/apt/sources.list" ] && sed -i 's/^deb \([^[]\)/deb [arch=amd64] \1/' "$fresh/etc/apt/sources.list"
  printf 'Types: deb\nURIs: http://127.0.0.1:9/debian\nSuites: bookworm\nComponents: main\nArchitectures: i386\nTrusted: yes\n' \
    >"$fresh/etc/apt/sources.list.d/unreachable-i386.sources"
fi
mkdir -p "$fresh/work/shared"
git clone -q "$root" "$fresh/work/kavrona"
cloned=$(git -C "$fresh/work/kavrona" rev-parse --short HEAD)  # HEAD here may move on meanwhile
echo "fresh-machine: a clone of $cloned in a fresh Debian 12 root at $fresh"

# Everything below runs in a mount namespace of its own: its mounts go when it ends.
inside=$(cat <<'INSIDE'
set -euo pipefail
fresh=$1 shared=$2 recommends=$3
mount --make-rprivate /
mount --bind "$shared" "$fresh/work/shared"
mount -o remount,bind,ro "$fresh/work/shared"
mount -t proc proc "$fresh/proc"
mount --rbind /sys "$fresh/sys"
mount --rbind /dev "$fresh/dev"
mount -t tmpfs tmpfs "$fresh/tmp"
# The root shares this machine's network: a CUPS client in it that finds no cupsd of the
# root's own falls back to localhost:631, this machine's cupsd. Every program that loads
# winspool asks CUPS for its printers as it loads it, and waits as long as that cupsd
# takes. Only the root's own socket is used.
bare() { chroot "$fresh" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 \
  CUPS_SERVER=/run/cups/cups.sock "$@"; }
if [ "$recommends" = yes ]; then
  # As a user installs Wine: with its recommended packages, fonts-liberation among them;
  # and fonts-liberation2, the fonts' newer version, which many other packages recommend.
  bare bash -c 'apt-get update -qq; DEBIAN_FRONTEND=noninteractive apt-get install -y -qq wine fonts-liberation2 >/dev/null' ||
    echo "fresh-machine: installing wine with its recommended packages failed"
  bare dpkg-query -W -f='${Package} ${Version}\n' wine fonts-liberation fonts-liberation2 2>/dev/null | sed 's/^/fresh-machine: installed with recommends: /'
fi
test_status=0
bare bash -c 'cd /work/kavrona && scripts/test.sh' || test_status=$?
run_status=0
bare bash -c 'cd /work/kavrona && scripts/run.sh </dev/null' >"$fresh/run.out" || run_status=$?
echo "$test_status $run_status" >"$fresh/statuses"
INSIDE
)
unshare -m bash -c "$inside" _ "$fresh" "$shared" "$recommends" 2>&1 | tee "$work/log" || true
read -r test_status run_status <"$fresh/statuses" 2>/dev/null || { test_status=unknown; run_status=unknown; }

# A complete report has every section, the processor's details last.
report_ok=yes
for heading in "Computer Name: " "User Name: " "Verze Windows: " "BIOS: " "Celková paměť: " "Procesor: "; do
  grep -q "^$heading" "$fresh/run.out" 2>/dev/null || { report_ok=no; echo "the run command's report lacks \"$heading\""; }
done

echo
echo "== fresh machine (Debian 12 minbase$([ $recommends = yes ] && echo ", Wine with recommends")$([ $no_i386_index = yes ] && echo ", no i386 index"), clone of $cloned) =="
grep -A6 '^== test totals ==' "$work/log" | tail -n +2 || true
echo "test command (scripts/test.sh): $([ "$test_status" = 0 ] && echo passed || echo "FAILED ($test_status)")"
echo "run command (scripts/run.sh, no display): $([ "$run_status" = 0 ] && [ $report_ok = yes ] &&
  echo "passed, a complete report of $(wc -l <"$fresh/run.out") lines" || echo "FAILED ($run_status)")"
echo "whole log: $work/log"
[ "$test_status" = 0 ] && [ "$run_status" = 0 ] && [ $report_ok = yes ]
