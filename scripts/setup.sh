#!/usr/bin/env bash
# Installs the Debian packages Kavrona needs to build and test. Idempotent:
# packages already present are skipped, so a second run takes a moment.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format clang-tidy cppcheck file
  googletest libgtest-dev
  g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix binutils-mingw-w64-x86-64 binutils-mingw-w64-i686
  wine wine64 fonts-wine
  xvfb xauth imagemagick x11-utils
  cups cups-client cups-bsd printer-driver-cups-pdf poppler-utils
  e2fsprogs locales
)

# Wine names Linux files in the Linux locale's character set: without the Czech
# locale, a file name with Czech letters cannot be created under cs_CZ.UTF-8.
czech_locale() {
  locale -a 2>/dev/null | grep -qix 'cs_CZ.utf8' && return 0
  echo "setup: generating the cs_CZ.UTF-8 locale"
  "${sudo_cmd[@]}" sed -i 's/^# *\(cs_CZ.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^cs_CZ.UTF-8 UTF-8' /etc/locale.gen || echo 'cs_CZ.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
}

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  czech_locale
  exit 0
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
czech_locale
echo "setup: done"
