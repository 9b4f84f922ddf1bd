# Shared by the run, test and benchmark commands: building the three programs, and a
# display and a Wine session to run the Windows ones in. Sourcing it needs nothing that
# scripts/setup.sh installs; the functions below run after it.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
source "$root/scripts/x86-state.sh"

# A step that fails where no check expected it still says what it was.
set -E
trap 'echo "FAILED: ${BASH_SOURCE[0]##*/} line $LINENO: $BASH_COMMAND (exit status $?)" >&2' ERR

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Runs a quiet step with its output kept aside; on failure says what failed and shows
# the end of that output. Usage: quietly "what it does" command args...
quietly() {
  local what=$1 log status=0
  shift
  log=$(mktemp)
  "$@" </dev/null >"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    echo "FAILED ($status): $what: $*" >&2
    tail -20 "$log" | sed 's/^/  | /' >&2
  fi
  rm -f "$log"
  return $status
}

wineserver_path() {
  if [ -x /usr/lib/wine/wineserver ]; then echo /usr/lib/wine/wineserver; else command -v wineserver; fi
}

build_native() {
  quietly "configuring the native build" cmake -S "$root" -B "$root/build/native" -G Ninja \
    -DCMAKE_BUILD_TYPE=Debug -DKAVRONA_SANITIZE=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON ||
    fail "cmake for build/native"
  cmake --build "$root/build/native" || fail "building build/native (compiler output above)"
}

build_windows() {  # x64 or x86
  local arch=$1 toolchain
  [ "$arch" = x64 ] && toolchain=mingw-x86_64 || toolchain=mingw-i686
  quietly "configuring the $arch Windows build" cmake -S "$root" -B "$root/build/windows-$arch" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" ||
    fail "cmake for build/windows-$arch"
  cmake --build "$root/build/windows-$arch" || fail "building build/windows-$arch (compiler output above)"
}

xvfb_pid=""
start_display() {  # a virtual display of our own; callers unset DISPLAY to insist on one
  [ -n "${DISPLAY:-}" ] && return 0
  command -v Xvfb >/dev/null || fail "Xvfb is not installed; scripts/setup.sh installs it"
  local n=90 log
  log=$(mktemp)
  # A display number may be taken where our /tmp cannot see it (a chroot beside us
  # shares the abstract socket): then Xvfb ends at once and the next number is tried.
  while [ $n -lt 130 ]; do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$log" 2>&1 &
      xvfb_pid=$!
      for _ in $(seq 100); do
        if [ -e "/tmp/.X11-unix/X$n" ]; then
          export DISPLAY=":$n"
          rm -f "$log"
          return 0
        fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
      done
      kill "$xvfb_pid" 2>/dev/null || true
      xvfb_pid=""
    fi
    n=$((n + 1))
  done
  echo "FAILED: Xvfb did not start on any display from :90 to :129; its last output:" >&2
  sed 's/^/  | /' "$log" >&2
  rm -f "$log"
  exit 1
}

start_wine() {  # one Wine session for everything that follows, so each program starts quickly
  local wineserver
  wineserver=$(wineserver_path) || fail "wineserver not found; scripts/setup.sh installs Wine"
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1 || true  # fails when a session runs already
  quietly "starting Wine in $WINEPREFIX" "$root/scripts/wine-run" cmd /c exit ||
    fail "Wine did not start (run WINEDEBUG=err+all scripts/wine-run cmd /c exit to see more)"
  # On our own Xvfb there is no window manager: Wine then frames the windows itself,
  # and does not wait 2 s at every window that closes for a manager to confirm it.
  local managed=Y
  [ -n "$xvfb_pid" ] && managed=N
  quietly "telling Wine whether a window manager runs" \
    "$root/scripts/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f ||
    fail "reg add in $WINEPREFIX"
  hold_desktop
}

# Wine's desktop (explorer.exe /desktop) ends some seconds after the session's last
# program has, as it does while a test of its own prefix runs; each program started
# after that makes a new one, which costs a 32-bit program about a second. A console
# program waiting on input that never comes keeps it; stop_all closes that input.
desktop_input=""
hold_desktop() {
  local fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  exec {desktop_input}<>"$fifo"
  rm -f "$fifo"
  { "$root/scripts/wine-run" cmd <&"$desktop_input" >/dev/null 2>&1 || true; } &
}

stop_all() {
  local wineserver
  if [ -n "$desktop_input" ]; then exec {desktop_input}>&-; fi
  desktop_input=""
  if wineserver=$(wineserver_path); then "$wineserver" -k </dev/null >/dev/null 2>&1 || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
  xvfb_pid=""
  return 0
}
