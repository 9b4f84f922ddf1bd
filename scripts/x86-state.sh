# Whether the shipped 32-bit program can run on this machine, how, and if not, why.
# Sourced by scripts/setup.sh, which installs the 32-bit half of Wine (and qemu-user
# where the kernel cannot run 32-bit programs) or keeps apt's reason for not, and by
# the commands that run the 32-bit program. Needs nothing but bash and dpkg.

# Without libcups2:i386 a 32-bit program sees no printer at all.
x86_packages=(wine32:i386 libcups2:i386)
# Runs Wine's 32-bit loader where the kernel cannot.
x86_emulator_packages=(qemu-user-static)
x86_emulator=/usr/bin/qemu-i386-static
x86_state_file="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/x86-unavailable.txt"
binfmt=/proc/sys/fs/binfmt_misc

# qemu-user's own pages are 4 KiB: Wine's reservation of the low gigabyte at each start
# then takes it thousands of mmap calls, about 50 s a process. With 64 KiB pages, the
# granularity Wine allocates in anyway, a start takes about 5 s. Read by qemu only.
export QEMU_PAGESIZE=65536

x86_unavailable() {  # why, in one line
  mkdir -p "$(dirname "$x86_state_file")"
  echo "$*" | tr '\n' ' ' | sed 's/ *$//' >"$x86_state_file"
}
x86_available() { rm -f "$x86_state_file"; }

# Registers qemu-user for 32-bit x86 programs, as the kernel's binfmt_misc runs them,
# when the kernel cannot run them itself: kernel state, gone at the next boot, so the
# commands call it at each run. The F flag opens the emulator now, so that it also
# runs programs in a chroot or another mount namespace. Fails, saying why, when it
# cannot; a registration that is there already is left as it is.
x86_register_emulator() {
  [ -x "$x86_emulator" ] || { echo "$x86_emulator is not installed"; return 1; }
  if [ ! -e "$binfmt/register" ]; then
    mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
      { echo "binfmt_misc cannot be mounted at $binfmt (needs root)"; return 1; }
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
# the kernel cannot run them. Fails, printing why, when they cannot run at all.
x86_mode() {
  local runs why status=0
  runs=$(dirname "${BASH_SOURCE[0]}")/runs-i386
  "$runs" || status=$?
  case $status in
    0) echo native; return 0 ;;
    2) echo emulated; return 0 ;;
  esac
  why=$(x86_register_emulator) || { echo "kernel without 32-bit support, and $why"; return 1; }
  status=0
  "$runs" || status=$?
  [ $status -eq 2 ] && { echo emulated; return 0; }
  echo "kernel without 32-bit support, and qemu-i386 registered in binfmt_misc does not run a 32-bit program"
  return 1
}

# Prints why the 32-bit program cannot run here and succeeds; fails, saying nothing,
# when it can.
x86_reason() {
  local mode p
  mode=$(x86_mode) || { echo "$mode"; return 0; }
  for p in "${x86_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      if [ -s "$x86_state_file" ]; then cat "$x86_state_file"; else echo "$p is not installed (scripts/setup.sh installs it)"; fi
      return 0
    fi
  done
  return 1
}
