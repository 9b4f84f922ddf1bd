# Whether the shipped 32-bit program can run on this machine, and if not, why. Sourced
# by scripts/setup.sh, which installs the 32-bit half of Wine or keeps apt's reason for
# not, and by the commands that run the 32-bit program. Needs nothing but bash and dpkg.

# Without libcups2:i386 a 32-bit program sees no printer at all.
x86_packages=(wine32:i386 libcups2:i386)
x86_state_file="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/x86-unavailable.txt"

x86_unavailable() {  # why, in one line
  mkdir -p "$(dirname "$x86_state_file")"
  echo "$*" | tr '\n' ' ' | sed 's/ *$//' >"$x86_state_file"
}
x86_available() { rm -f "$x86_state_file"; }

# Prints why the 32-bit program cannot run here and succeeds; fails, saying nothing,
# when it can.
x86_reason() {
  if ! "$(dirname "${BASH_SOURCE[0]}")/runs-i386"; then
    echo "kernel without 32-bit support"
    return 0
  fi
  local p
  for p in "${x86_packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      if [ -s "$x86_state_file" ]; then cat "$x86_state_file"; else echo "$p is not installed (scripts/setup.sh installs it)"; fi
      return 0
    fi
  done
  return 1
}
