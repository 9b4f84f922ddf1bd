# Shared by the run and test commands: building the three programs, and a display
# and a Wine session to run the Windows ones in.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wineserver=/usr/lib/wine/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)

build_native() {
  cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKAVRONA_SANITIZE=ON \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
  cmake --build "$root/build/native"
}

build_windows() {  # x64 or x86
  local arch=$1 toolchain
  [ "$arch" = x64 ] && toolchain=mingw-x86_64 || toolchain=mingw-i686
  local tests=ON
  [ "$arch" = x86 ] && tests=OFF
  cmake -S "$root" -B "$root/build/windows-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain.cmake" -DKAVRONA_TESTS=$tests >/dev/null
  cmake --build "$root/build/windows-$arch"
}

xvfb_pid=""
start_display() {  # a virtual display, unless there is a display already
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

start_wine() {  # one Wine session for everything that follows, so each program starts quickly
  mkdir -p "$WINEPREFIX"
  "$wineserver" -p </dev/null >/dev/null 2>&1 || true  # fails when a session runs already
  "$root/scripts/wine-run" cmd /c exit </dev/null >/dev/null 2>&1
  # On our own Xvfb there is no window manager: Wine then frames the windows itself,
  # and does not wait 2 s at every window that closes for a manager to confirm it.
  local managed=Y
  [ -n "$xvfb_pid" ] && managed=N
  "$root/scripts/wine-run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f \
    </dev/null >/dev/null 2>&1
}

stop_all() {
  "$wineserver" -k </dev/null >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  xvfb_pid=""
}
