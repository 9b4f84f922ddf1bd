# Whether the shipped 32-bit program can run on this machine, how, and if not, why.
# Sourced by scripts/setup.sh, which installs the 32-bit half of Wine (and qemu-user
# where the kernel cannot run 32-bit programs) or keeps apt's reason for not, and by
# the commands that run the 32-bit program. Needs nothing but bash and dpkg.

# Without libcups2:i386 a 32-bit program sees no printer at all.
x86_packages=(wine32:i386 libcups2:i386)
# Runs Wine's 32-bit loader where the kernel cannot.
x86_emulator_packages=(qemu-user-static)
x86_emulator=/usr/bin/qemu-i386-static
# Debian 12 has it from bookworm-backports (scripts/setup.sh).
x86_emulator_minimum=1:10
x86_state_file="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/x86-unavailable.txt"
binfmt=/proc/sys/fs/binfmt_misc

x86_unavailable() {  # why, in one line
  mkdir -p "$(dirname "$x86_state_file")"
  echo "$*" | tr '\n' ' ' | sed 's/ *$//' >"$x86_state_file"
}
x86_available() { rm -f "$x86_state_file"; }

# Registers qemu-user for 32-bit x86 programs, as the kernel's binfmt_misc runs them,
# when the kernel cannot run them itself: kernel state, gone at the next boot, so the
# commands call it at each run. The F flag opens the emulator now, so that it also
# runs programs in a chroot or another mount namespace. Fails, saying why, when it
# cannot. A registration that is there already is left as it is, unless "again" is
# asked: the emulator it opened has since been replaced by an upgrade.
x86_register_emulator() {  # [again]
  [ -x "$x86_emulator" ] || { echo "$x86_emulator is not installed"; return 1; }
  if [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
      { echo "binfmt_misc cannot be mounted at $binfmt (needs root)"; return 1; }
  fi
  if [ -e "$binfmt/qemu-i386" ] && [ "${1:-}" = again ]; then
    echo -1 >"$binfmt/qemu-i386" 2>/dev/null ||
      { echo "the qemu-i386 entry of binfmt_misc holds a replaced emulator and cannot be removed"; return 1; }
  fi
  if [ -e "$binfmt/qemu-i386" ]; then
    grep -qx enabled "$binfmt/qemu-i386" || echo 1 >"$binfmt/qemu-i386" 2>/dev/null ||
      { echo "the qemu-i386 entry of binfmt_misc is disabled and cannot be enabled"; return 1; }
    return 0
  fi
  local magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
  local mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
  echo ":qemu-i386:M::$magic:$mask:$x86_emulator:F" >"$binfmt/register" 2>/dev/null ||
    { echo "qemu-i386 cannot be registered in binfmt_misc (needs root)"; return 1; }
}

# "native" or "emulated": how 32-bit programs run here, registering the emulator when
# the kernel cannot run them, and again when the registered one has been replaced.
# Fails, printing why, when they cannot run at all.
x86_mode() {
  local runs interpreter why status=0
  runs=$(dirname "${BASH_SOURCE[0]}")/runs-i386
  interpreter=$("$runs") || status=$?
  [ $status -eq 0 ] && { echo native; return 0; }
  if [ $status -eq 2 ] && [[ $interpreter != *" (deleted)" ]]; then
    echo emulated
    return 0
  fi
  why=$(x86_register_emulator ${interpreter:+again}) || {
    echo "kernel without 32-bit support, and $why"
    return 1
  }
  status=0
  "$runs" >/dev/null || status=$?
  [ $status -eq 2 ] && { echo emulated; return 0; }
  echo "kernel without 32-bit support, and qemu-i386 registered in binfmt_misc does not run a 32-bit program"
  return 1
}

# Whether the installed qemu-user is one under which Wine's 32-bit side passes every
# case: 7.2 (Debian 12's own) crashes it at volume and process queries.
x86_emulator_recent() {
  local state
  state=$(dpkg-query -W -f='${Status} ${Version}' qemu-user-static 2>/dev/null) || return 1
  [[ $state == "install ok installed "* ]] &&
    dpkg --compare-versions "${state##* }" ge "$x86_emulator_minimum"
}

# Prints why the 32-bit program cannot run here and succeeds; fails, saying nothing,
# when it can.
x86_reason() {
  local mode p
  mode=$(x86_mode) || { echo "$mode"; return 0; }
  if [ "$mode" = emulated ] && ! x86_emulator_recent; then
    if [ -s "$x86_state_file" ]; then cat "$x86_state_file"; else echo "kernel without 32-bit support, and qemu-user-static is older than $x86_emulator_minimum (scripts/setup.sh installs a newer one)"; fi
    return 0
  fi
  for p in "${x86_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      if [ -s "$x86_state_file" ]; then cat "$x86_state_file"; else echo "$p is not installed (scripts/setup.sh installs it)"; fi
      return 0
    fi
  done
  return 1
}
