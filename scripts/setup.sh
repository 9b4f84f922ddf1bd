#!/usr/bin/env bash
# Installs the Debian packages Kavrona needs to build and test. Idempotent: packages
# already present are skipped, so a second run takes a moment. Needs nothing but bash,
# awk, dpkg and apt (all in every Debian): it runs before anything it installs.
#
# Two steps. The first, everything the 64-bit program and its tests need, must succeed.
# The second, the 32-bit half of Wine for the shipped 32-bit program (and qemu-user,
# registered for 32-bit programs, where the kernel cannot run them), may fail where the
# package sources cannot give it; then apt's reason is kept (scripts/x86-state.sh), the
# run command still works with the 64-bit program, and the test command shows the
# 32-bit suite as not run, with that reason. Nothing of the user's is ever removed or
# downgraded.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/x86-state.sh"
source "$here/apt-sources.sh"

# Every tool the scripts and tests call, by the package that brings it.
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy cppcheck file git
  googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine
  xvfb xauth imagemagick x11-utils librsvg2-bin icoutils
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  e2fsprogs locales iproute2 procps util-linux mount coreutils findutils grep sed gawk
  wixl msitools gir1.2-libmsi-1.0 python3 python3-gi zip nlohmann-json3-dev python3-jsonschema
)

fail() {
  echo "setup: FAILED: $*" >&2
  exit 1
}

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || fail "not root, and no sudo to become root"
  sudo_cmd=(sudo)
fi
apt_get=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }
missing_of() {  # the packages among $@ not installed
  local p
  for p in "$@"; do installed "$p" || echo "$p"; done
}

# A mirror in the middle of a sync serves an index of the wrong size for a while. A few
# tries, then on with what came: apt-get install decides whether that is enough.
updated=no
update_indexes() {
  [ $updated = yes ] && return 0
  updated=yes
  local log try
  log=$(mktemp)
  for try in 1 2 3; do
    if "${apt_get[@]}" update -qq >"$log" 2>&1; then break; fi
    if [ $try -eq 3 ]; then
      echo "setup: apt-get update still fails; going on with the indexes that came"
    else
      echo "setup: apt-get update failed (try $try of 3); again in 10 s"
      sleep 10
    fi
  done
  # apt ignores an index it cannot fetch with only a warning when the others came.
  if grep -q -E '^(E|W): Failed to fetch' "$log"; then
    echo "setup: these package indexes could not be read:"
    grep -E '^(E|W): Failed to fetch' "$log" | sed -E 's/^(E|W): Failed to fetch ([^ ]+).*/  \2/'
  fi
  rm -f "$log"
}

# apt-get install that never removes or downgrades a package to make room.
install() {  # log file, packages...
  local log=$1
  shift
  "${apt_get[@]}" install -y -q --no-install-recommends --no-remove "$@" >"$log" 2>&1
}

mapfile -t missing < <(missing_of "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  update_indexes
  log=$(mktemp)
  install "$log" "${missing[@]}" || { tail -40 "$log" >&2; fail "apt-get install (its last lines above)"; }
  rm -f "$log"
else
  echo "setup: all packages present"
fi

# Wine names Linux files in the Linux locale's character set: without the Czech
# locale, a file name with Czech letters cannot be created under cs_CZ.UTF-8.
if ! locale -a 2>/dev/null | grep -qix 'cs_CZ.utf8'; then
  echo "setup: generating the cs_CZ.UTF-8 locale"
  "${sudo_cmd[@]}" sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^cs_CZ.UTF-8 UTF-8' /etc/locale.gen || echo 'cs_CZ.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null || fail "locale-gen cs_CZ.UTF-8"
fi

# apt's own words: the lines of its log that say what it could not do, and why.
apt_reason() {  # log file
  local why
  why=$({
    grep -E '^ *[^ ]+ : (Depends|PreDepends|Breaks|Conflicts): ' "$1" | head -1
    grep -E '^E: ' "$1"
  } | sed 's/^ *//')
  echo "${why:-$(tail -3 "$1")}"
}

# The i386 architecture and the package indexes for it.
add_i386() {
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    "${sudo_cmd[@]}" dpkg --add-architecture i386 || fail "dpkg --add-architecture i386"
    updated=no
  fi
}

# qemu-user, from bookworm-backports on Debian 12, whose own is too old (x86-state.sh),
# from where the machine takes bookworm itself: its mirror or proxy, in its style.
add_backports() {  # log file
  local source backports=/etc/apt/sources.list.d/bookworm-backports
  apt_source_as /etc/apt bookworm-backports bookworm-backports >/dev/null && return 0
  if ! source=$(apt_source_as /etc/apt bookworm bookworm-backports); then
    echo "E: no source for bookworm in /etc/apt/sources.list or /etc/apt/sources.list.d/ to take bookworm-backports from" >"$1"
    return 1
  fi
  case $source in
    "deb "*) backports+=.list ;;
    *) backports+=.sources ;;
  esac
  echo "setup: adding bookworm-backports to the package sources ($backports)"
  echo "$source" | "${sudo_cmd[@]}" tee "$backports" >/dev/null || fail "writing $backports"
  updated=no
}
install_emulator() {  # log file
  local release=()
  if grep -qx 'VERSION_CODENAME=bookworm' /etc/os-release 2>/dev/null; then
    add_backports "$1" || return 1
    release=(-t bookworm-backports)
  fi
  update_indexes
  install "$1" "${release[@]}" "${x86_emulator_packages[@]}"
}

# The 32-bit half, in a step of its own: its failure leaves the 64-bit half usable.
install_x86() {
  local log mode runs=0
  log=$(mktemp)
  # Where the kernel cannot run 32-bit programs, qemu-user runs Wine's 32-bit loader.
  "$here/runs-i386" >/dev/null || runs=$?
  if [ $runs -ne 0 ] && ! x86_emulator_recent; then
    echo "setup: the kernel cannot run 32-bit programs; installing qemu-user-static $x86_emulator_minimum or later to run them"
    if ! install_emulator "$log"; then
      x86_unavailable "kernel without 32-bit support, and qemu-user-static $x86_emulator_minimum or later cannot be installed: $(apt_reason "$log")"
      rm -f "$log"
      return
    fi
    if ! x86_emulator_recent; then
      x86_unavailable "kernel without 32-bit support, and this machine's package sources give only a qemu-user-static older than $x86_emulator_minimum"
      rm -f "$log"
      return
    fi
  fi
  if ! mode=$(x86_mode); then
    x86_unavailable "$mode"
    rm -f "$log"
    return
  fi
  [ "$mode" = emulated ] && echo "setup: 32-bit programs run under qemu-i386 (registered in binfmt_misc)"
  mapfile -t missing < <(missing_of "${x86_packages[@]}")
  if [ ${#missing[@]} -eq 0 ]; then
    x86_available
    rm -f "$log"
    return
  fi
  add_i386
  echo "setup: installing ${missing[*]}"
  update_indexes
  if install "$log" "${missing[@]}"; then
    x86_available
  else
    x86_unavailable "the 32-bit half of Wine cannot be installed from this machine's package sources: $(apt_reason "$log")"
  fi
  rm -f "$log"
}
install_x86
if reason=$(x86_reason); then
  echo "setup: the 32-bit program cannot run here, so its tests will show as not run: $reason"
fi
echo "setup: done"
