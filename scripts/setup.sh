#!/usr/bin/env bash
# Installs the Debian packages Kavrona needs to build and test. Idempotent:
# packages already present are skipped, so a second run takes a moment. Needs
# nothing but bash, dpkg and apt: it runs before anything it installs.
set -euo pipefail

# Every tool the scripts and tests call, by the package that brings it.
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy cppcheck file git
  googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine
  xvfb xauth imagemagick x11-utils librsvg2-bin icoutils
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  e2fsprogs locales iproute2 procps util-linux mount coreutils findutils grep sed gawk
)
# The 32-bit half of Wine, for the shipped 32-bit program. Without libcups2:i386 a
# 32-bit program sees no printer at all.
packages_i386=(wine32:i386 libcups2:i386)

fail() {
  echo "setup: FAILED: $*" >&2
  exit 1
}

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || fail "not root, and no sudo to become root"
  sudo_cmd=(sudo)
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"; }

wanted=("${packages[@]}")
# A kernel may lack 32-bit support: then the 32-bit half is left out, and the tests of
# the 32-bit program show as not run.
if "$(dirname "$0")/runs-i386"; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "setup: adding the i386 architecture"
    "${sudo_cmd[@]}" dpkg --add-architecture i386 || fail "dpkg --add-architecture i386"
  fi
  wanted+=("${packages_i386[@]}")
else
  echo "setup: this kernel runs no 32-bit programs; the 32-bit half of Wine is left out"
fi

missing=()
for p in "${wanted[@]}"; do installed "$p" || missing+=("$p"); done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  log=$(mktemp)
  "${sudo_cmd[@]}" apt-get update -qq >"$log" 2>&1 || { cat "$log" >&2; fail "apt-get update (output above)"; }
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >"$log" 2>&1 ||
    { tail -40 "$log" >&2; fail "apt-get install (its last lines above)"; }
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
echo "setup: done"
