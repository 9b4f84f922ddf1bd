#!/usr/bin/env bash
# scripts/apt-sources.sh on sources as Debian 12 machines have them: the backports
# source that setup adds comes from the machine's own bookworm source, in its style.
set -uo pipefail
source "$(cd "$(dirname "$0")/../.." && pwd)/scripts/apt-sources.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A case: its name, the suite asked for, what apt_source_as must print for it as
# bookworm-backports ("" when it must fail), then the files of etc/apt as name and text.
check() {
  local name=$1 suite=$2 want=$3 got status=0
  shift 3
  rm -rf "$work/apt"
  mkdir -p "$work/apt/sources.list.d"
  while [ $# -gt 0 ]; do
    printf '%s\n' "$2" >"$work/apt/$1"
    shift 2
  done
  got=$(apt_source_as "$work/apt" "$suite" bookworm-backports) || status=$?
  if [ -z "$want" ] && [ $status -eq 0 ]; then
    echo "FAILED: $name: found a source where there is none:"$'\n'"$got"
    failures=$((failures + 1))
  elif [ -n "$want" ] && [ "$got" != "$want" ]; then
    echo "FAILED: $name (status $status):"$'\n'"want:"$'\n'"$want"$'\n'"got:"$'\n'"$got"
    failures=$((failures + 1))
  fi
}

check "one-line, a mirror of the country" bookworm \
  'deb http://ftp.cz.debian.org/debian bookworm-backports main contrib' \
  sources.list '# deb cdrom:[Debian GNU/Linux 12.4.0 _Bookworm_]/ bookworm main
deb http://security.debian.org/debian-security bookworm-security main contrib
deb http://ftp.cz.debian.org/debian bookworm main contrib
deb http://ftp.cz.debian.org/debian bookworm-updates main contrib'

check "one-line, options and a proxy, trailing comment" bookworm \
  'deb [ arch=amd64,i386 signed-by=/etc/apt/keyrings/local.gpg ] http://apt-proxy.firma.lan:3142/debian bookworm-backports main non-free-firmware' \
  sources.list.d/firma.list 'deb [ arch=amd64,i386 signed-by=/etc/apt/keyrings/local.gpg ] http://apt-proxy.firma.lan:3142/debian bookworm main non-free-firmware # the office proxy'

check "one-line, a CD first" bookworm \
  'deb https://mirror.firma.lan/debian/ bookworm-backports main' \
  sources.list 'deb cdrom:[Debian GNU/Linux 12.4.0 _Bookworm_]/ bookworm main
deb-src https://mirror.firma.lan/debian/ bookworm main
deb https://mirror.firma.lan/debian/ bookworm main'

check "deb822, the security stanza first" bookworm \
  'Types: deb
URIs: http://mirror.firma.lan/debian
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
Suites: bookworm-backports' \
  sources.list.d/debian.sources 'Types: deb
# the security updates
URIs: http://mirror.firma.lan/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb deb-src
URIs: http://mirror.firma.lan/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg'

check "deb822, disabled, source-only and inline key" bookworm \
  'Types: deb
uris: http://proxy.firma.lan:3142/debian
components: main contrib
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEZfirmaklic
 -----END PGP PUBLIC KEY BLOCK-----
Suites: bookworm-backports' \
  sources.list.d/a-old.sources 'Types: deb
URIs: http://old.firma.lan/debian
Suites: bookworm
Components: main
Enabled: no

Types: deb-src
URIs: http://src.firma.lan/debian
Suites: bookworm
Components: main' \
  sources.list.d/b-proxy.sources 'types: deb
uris: http://proxy.firma.lan:3142/debian
suites: bookworm
components: main contrib
signed-by:
 -----BEGIN PGP PUBLIC KEY BLOCK-----
 .
 mDMEZfirmaklic
 -----END PGP PUBLIC KEY BLOCK-----'

check "no bookworm source at all" bookworm "" \
  sources.list 'deb http://security.debian.org/debian-security bookworm-security main
# deb http://ftp.cz.debian.org/debian bookworm main'

# Whether the machine has backports already: setup adds them only where it has not.
check "backports there already, one-line" bookworm-backports \
  'deb http://ftp.cz.debian.org/debian bookworm-backports main' \
  sources.list 'deb http://ftp.cz.debian.org/debian bookworm main' \
  sources.list.d/backports.list 'deb http://ftp.cz.debian.org/debian bookworm-backports main'

check "backports only commented out or disabled" bookworm-backports "" \
  sources.list '#deb http://ftp.cz.debian.org/debian bookworm-backports main' \
  sources.list.d/backports.sources 'Types: deb
URIs: http://ftp.cz.debian.org/debian
Suites: bookworm-backports
Components: main
Enabled: no'

check "no sources files" bookworm ""

[ $failures -eq 0 ] && echo "apt_sources_test: every case passed"
exit $((failures > 0))
