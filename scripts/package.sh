#!/usr/bin/env bash
# Makes what an administrator deploys from one Windows build: the MSI (per machine, into
# Program Files with the nightly task's definition, a Start-menu shortcut, an entry in
# Programs and Features), a portable zip, the program itself, and SHA256SUMS over the
# three. The same commit gives the same
# bytes in any folder: the only time in them is the commit's, and no GUID is random.
#
#   scripts/package.sh            the shipped 32-bit build, into build/package
#   scripts/package.sh x64        the 64-bit build, into build/package-x64
#   --build DIR --out DIR         another build folder (built already), another output folder
#   --version X.Y.Z.0 --exe FILE  the installer tests' older package only: another version
#                                 and another program than the build's
#
# The version is the build's own (CMakeLists.txt's project(), through the generated
# app/version.h that the exe's version record comes from). Windows Installer compares
# only the first three fields, so they are the MSI's ProductVersion and the fourth must
# be 0: Programs and Features would show another version than the exe's.
set -euo pipefail
source "$(dirname "$0")/common.sh"
python=/usr/bin/python3  # Debian's, which has the Windows Installer library's bindings

usage() { fail "usage: scripts/package.sh [x86|x64] [--build DIR] [--out DIR] [--version X.Y.Z.0 --exe FILE]"; }
arch=x86 build="" out="" version="" exe=""
while [ $# -gt 0 ]; do
  case $1 in
    x86 | x64) arch=$1 ;;
    --build) build=${2:?} && shift ;;
    --out) out=${2:?} && shift ;;
    --version) version=${2:?} && shift ;;
    --exe) exe=${2:?} && shift ;;
    *) usage ;;
  esac
  shift
done

if [ -z "$build" ]; then
  build=$root/build/windows-$arch
  if [ -f "$build/CMakeCache.txt" ]; then
    cmake --build "$build" --target Kavrona >/dev/null || fail "building Kavrona.exe in $build"
  else
    build_windows "$arch"
  fi
fi
[ -f "$build/Kavrona.exe" ] || fail "$build holds no Kavrona.exe"
build=$(cd "$build" && pwd)

exe=${exe:-$build/Kavrona.exe}
case $(file -b "$exe") in
  "PE32 executable (GUI) Intel 80386"*)
    arch=x86 program_files=ProgramFilesFolder win64=no suffix=""
    program_files_variable='%ProgramFiles(x86)%'  # 64-bit Windows; the README says what else
    ;;
  "PE32+ executable (GUI) x86-64"*)
    arch=x64 program_files=ProgramFiles64Folder win64=yes suffix=-x64 program_files_variable='%ProgramFiles%'
    ;;
  *) fail "$exe is not a 32- or 64-bit Windows program" ;;
esac
[ -n "$out" ] || out=$root/build/package$suffix
version=${version:-$(sed -n 's/^#define KAVRONA_VERSION_TEXT "\(.*\)"$/\1/p' "$build/generated/app/version.h")}
[[ $version =~ ^([0-9]+)\.([0-9]+)\.([0-9]+)\.0$ ]] ||
  fail "version '$version': the MSI takes three fields, so the fourth must be 0 (raise the third instead)"
[ "${BASH_REMATCH[1]}" -le 255 ] && [ "${BASH_REMATCH[2]}" -le 255 ] && [ "${BASH_REMATCH[3]}" -le 65535 ] ||
  fail "version '$version': Windows Installer allows at most 255.255.65535"
product_version=${version%.0}

# The commit's time; a copy of the tree without .git is given it in SOURCE_DATE_EPOCH.
epoch=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)} ||
  fail "no commit time: $root is not a git checkout, and SOURCE_DATE_EPOCH is not set"
export TZ=UTC0  # the cabinet and the zip keep local times

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir "$stage/Kavrona"
cp "$exe" "$stage/Kavrona/Kavrona.exe"
cp "$build/kavrona.ico" "$stage/Kavrona/kavrona.ico"
# The nightly task's definition, for the program in this build's Program Files folder,
# in UTF-16 with its BOM, as the Task Scheduler itself writes one.
task=$stage/Kavrona/kavrona-task.xml
{
  printf '\xff\xfe'
  {
    echo '<?xml version="1.0" encoding="UTF-16"?>'
    sed "s/@PROGRAM_FILES@/$program_files_variable/" "$root/installer/kavrona-task.xml"
  } | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE
} >"$task" || fail "writing the task definition"
chmod 0644 "$stage/Kavrona/"*
touch -d "@$epoch" "$stage/Kavrona/"*

# GUIDs named from the UpgradeCode and from what the package holds (the installer
# source, the program, its icon, the task definition, the version and the build): a
# package code and a product code per distinct content. A package built again with
# other content is then a new product, which replaces the one installed as an upgrade
# does; with the product code of the one installed, msiexec would refuse it (1638).
wxs=$root/installer/kavrona.wxs
upgrade_code=$(sed -n 's/.*UpgradeCode="\([0-9A-F-]*\)".*/\1/p' "$wxs")
guid() { "$python" -c 'import sys, uuid; print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), sys.argv[2])).upper())' "$upgrade_code" "$1"; }
content=$(cat "$wxs" "$stage/Kavrona/Kavrona.exe" "$stage/Kavrona/kavrona.ico" "$task" | sha256sum | cut -d' ' -f1)
product_code=$(guid "Kavrona product $version $arch $content")
package_code=$(guid "Kavrona $version $arch $content")

name=Kavrona-$version$suffix
(
  cd "$stage/Kavrona"
  quietly "wixl $wxs" wixl -a "$arch" -o "$stage/$name.msi" \
    -D ProductCode="$product_code" -D ProductVersion="$product_version" -D Version="$version" \
    -D ProgramFilesFolder="$program_files" -D Win64="$win64" "$wxs"
) || fail "wixl could not build the MSI"
[ -s "$stage/$name.msi" ] || fail "wixl wrote no MSI"
"$python" "$root/scripts/msi-finish.py" "$stage/$name.msi" "$package_code" "$epoch" || fail "finishing the MSI"

# zip -X: no owner or extra times; -D: no folder entries.
(cd "$stage" && zip -q -X -D -9 "$name.zip" Kavrona/Kavrona.exe Kavrona/kavrona-task.xml) || fail "zip"

mkdir -p "$out"
rm -f "$out"/Kavrona-*.msi "$out"/Kavrona-*.zip "$out/Kavrona.exe" "$out/SHA256SUMS"
cp "$stage/$name.msi" "$stage/$name.zip" "$stage/Kavrona/Kavrona.exe" "$out/"
(cd "$out" && sha256sum "$name.msi" "$name.zip" Kavrona.exe >SHA256SUMS)
echo "$out: $name.msi, $name.zip, Kavrona.exe, SHA256SUMS (ProductVersion $product_version, ProductCode {$product_code})"
