#!/usr/bin/env bash
# The include rules of docs/architecture.md: which folders under src/ each folder may
# include from. The standard library is open to all; Windows headers only to _win32 files.
set -euo pipefail
cd "$(dirname "$0")/../src"

declare -A allowed=(
  [platform]="platform"
  [facts]="facts platform"
  [ui]="ui platform"
  [forms]="forms facts ui platform"
  [app]="app forms facts ui platform"
)

status=0
for dir in */; do
  dir=${dir%/}
  if [ -z "${allowed[$dir]+set}" ]; then
    echo "src/$dir/: a folder without include rules; add it to docs/architecture.md and here"
    status=1
    continue
  fi
  while IFS=: read -r file line text; do
    target=$(sed -E 's/^#include "([^/"]+)\/.*/\1/' <<<"$text")
    [ "$target" = "$text" ] && target="(no folder)"
    if ! grep -qw -- "$target" <<<"${allowed[$dir]}"; then
      echo "src/$file:$line: $dir/ may not include $target/: $text"
      status=1
    fi
  done < <(grep -rn -E '^#include "' "$dir" || true)
done
while IFS=: read -r file line text; do
  echo "src/$file:$line: only _win32 files call Windows: $text"
  status=1
done < <(grep -rn -E '^#include <[A-Za-z0-9_]+\.h>' --include='*.cpp' --include='*.h' . \
  | grep -v -E '^[^:]*_win32\.(cpp|h):' | sed 's|^\./||' || true)
[ $status -eq 0 ] && echo "include rules: $(find . -name '*.cpp' -o -name '*.h' | wc -l) files clean"
exit $status
